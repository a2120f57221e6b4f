#pragma once
// Chained string hash tables: cmcHash maps byte-string keys to 32-bit
// integers (cell and category names, colour names), cmcHash2 maps them to
// pointers it does not own (the option text cache).
//
// The bucket index is part of the interface: both tables use HashBucket, and
// callers may ask for it. Keys are compared exactly, byte for byte; a key ends
// at its first NUL byte, as the C strings it stands for did. Inserting a key
// that is already present is an internal consistency failure ("Overlapped
// Hash table." / "Overlapped Hash2 table.", exit code 3). Nodes are never
// removed; the table frees them all when it goes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Bucket count used when 0 is asked for.
inline constexpr std::uint32_t kDefaultHashBuckets = 1031;

// Bucket of the key in a table of n buckets (0 counts as the default): h
// doubles and adds the running step and each byte as a signed 8-bit value;
// after a byte, the step halves when the byte after it (the terminating NUL
// after the last) is odd, and starts again at n / 2 when it reaches 0.
// Unsigned 32-bit arithmetic throughout. The key ends at its first NUL; its
// length up to there is stored in *length when asked for.
inline std::uint32_t HashBucket(std::string_view key, std::uint32_t buckets,
                                std::size_t* length = nullptr) {
  if (buckets == 0) buckets = kDefaultHashBuckets;
  const std::size_t n = std::min(key.find('\0'), key.size());
  if (length) *length = n;
  const std::uint32_t restart = buckets / 2;
  const auto* bytes = reinterpret_cast<const unsigned char*>(key.data());
  std::uint32_t h = 0;
  std::uint32_t step = restart;
  const auto term = [&](std::size_t i) {
    // The step for byte i, then the halving that byte i + 1 decides.
    const std::uint32_t t = step + static_cast<std::uint32_t>(static_cast<std::int8_t>(bytes[i]));
    if (i + 1 < n && (bytes[i + 1] & 1u)) {
      step /= 2;
      if (step == 0) step = restart;
    }
    return t;
  };
  // Two bytes a round: h = 4h + 2 t(i) + t(i + 1), half the chain of h.
  std::size_t i = 0;
  for (; i + 1 < n; i += 2) {
    const std::uint32_t first = term(i);
    const std::uint32_t second = term(i + 1);
    h = 4u * h + 2u * first + second;
  }
  if (i < n) h = 2u * h + term(i);
  return h % buckets;
}

[[noreturn]] void HashOverlapFailure(const char* message);

template <typename Value>
class HashTable {
 public:
  struct Node {
    std::string key;
    Value value;
    Node* next = nullptr;
  };

  HashTable(const HashTable&) = delete;
  HashTable& operator=(const HashTable&) = delete;

  // Adds the pair at the head of its bucket; an existing key is fatal.
  void Insert(std::string_view key, Value value) {
    const std::uint32_t bucket = Locate(key);
    for (const Node* n = heads_[bucket]; n; n = n->next)
      if (n->key == key) HashOverlapFailure(overlapMessage_);
    Node& node = nodes_.emplace_back(Node{std::string(key), value, heads_[bucket]});
    heads_[bucket] = &node;
  }

  // The node of the key, or null.
  const Node* Find(std::string_view key) const {
    const std::uint32_t bucket = Locate(key);
    for (const Node* n = heads_[bucket]; n; n = n->next)
      if (n->key == key) return n;
    return nullptr;
  }

  std::uint32_t Hash(std::string_view key) const { return HashBucket(key, BucketCount()); }
  std::uint32_t BucketCount() const { return static_cast<std::uint32_t>(heads_.size()); }
  std::size_t Size() const { return nodes_.size(); }

 protected:
  HashTable(std::uint32_t buckets, const char* overlapMessage)
      : heads_(buckets == 0 ? kDefaultHashBuckets : buckets, nullptr),
        overlapMessage_(overlapMessage) {}
  ~HashTable() = default;

 private:
  // The bucket of the key, and the key cut at its first NUL.
  std::uint32_t Locate(std::string_view& key) const {
    std::size_t length = 0;
    const std::uint32_t bucket = HashBucket(key, BucketCount(), &length);
    key = key.substr(0, length);
    return bucket;
  }

  std::vector<Node*> heads_;
  std::deque<Node> nodes_;  // stable addresses; the chains run through next
  const char* overlapMessage_;
};

}  // namespace core

// Name -> integer.
class cmcHash : public core::HashTable<std::int32_t> {
 public:
  explicit cmcHash(std::uint32_t buckets = 0) : HashTable(buckets, "Overlapped Hash table.") {}
};

// Name -> pointer to T, not owned.
template <typename T>
class cmcHash2 : public core::HashTable<T*> {
 public:
  explicit cmcHash2(std::uint32_t buckets = 0)
      : core::HashTable<T*>(buckets, "Overlapped Hash2 table.") {}
};
