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
// Unsigned 32-bit arithmetic throughout.
std::uint32_t HashBucket(std::string_view key, std::uint32_t buckets);

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
    key = Terminated(key);
    const std::uint32_t bucket = Hash(key);
    for (const Node* n = heads_[bucket]; n; n = n->next)
      if (n->key == key) HashOverlapFailure(overlapMessage_);
    Node& node = nodes_.emplace_back(Node{std::string(key), value, heads_[bucket]});
    heads_[bucket] = &node;
  }

  // The node of the key, or null.
  const Node* Find(std::string_view key) const {
    key = Terminated(key);
    for (const Node* n = heads_[Hash(key)]; n; n = n->next)
      if (n->key == key) return n;
    return nullptr;
  }

  std::uint32_t Hash(std::string_view key) const {
    return HashBucket(Terminated(key), BucketCount());
  }
  std::uint32_t BucketCount() const { return static_cast<std::uint32_t>(heads_.size()); }
  std::size_t Size() const { return nodes_.size(); }

 protected:
  HashTable(std::uint32_t buckets, const char* overlapMessage)
      : heads_(buckets == 0 ? kDefaultHashBuckets : buckets, nullptr),
        overlapMessage_(overlapMessage) {}
  ~HashTable() = default;

 private:
  static std::string_view Terminated(std::string_view key) { return key.substr(0, key.find('\0')); }

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
