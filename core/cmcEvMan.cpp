#include "core/cmcEvMan.h"

#include <QString>
#include <utility>

#include "platform/Fatal.h"

namespace {

constexpr int kDrainIntervalMs = 10;

cmcEvMan* g_installed = nullptr;

cmcEvent MakeEvent(int id, int mode, std::intptr_t p1, std::intptr_t p2, std::any data) {
  cmcEvent event;
  event.id = id;
  event.mode = mode;
  event.p1 = p1;
  event.p2 = p2;
  event.data = std::move(data);
  return event;
}

std::any CopyBlock(const void* data, int length) {
  if (data == nullptr || length <= 0) return {};
  const auto* p = static_cast<const std::uint8_t*>(data);
  return std::vector<std::uint8_t>(p, p + length);
}

}  // namespace

// The drain task runs only while something waits in the queue: an idle
// program is never woken by the bus.
cmcEvMan::cmcEvMan() : task_(new cmcTask) {
  task_->SetHandler([this](cmcTask&) { Drain(); });
}

cmcEvMan::~cmcEvMan() {
  // The task stops; when the bus goes away from inside its own drain the
  // task frees itself after the tick (cmcTask::Release).
  task_.reset();
  queue_.clear();  // dropped without delivery
  listeners_.clear();
}

// ---- listeners ------------------------------------------------------------

void cmcEvMan::MarkRemoved(ListenerFn fn, void* object, const void* key) {
  for (auto it = listeners_.begin(); it != listeners_.end();) {
    const bool equal =
        !it->removed && (key != nullptr ? (it->key == key && !it->fn)
                                        : (it->fn == fn && it->object == object && !it->key));
    if (!equal) {
      ++it;
      continue;
    }
    if (depth_ == 0) {
      it = listeners_.erase(it);  // nobody walks the list: free at once
    } else {
      it->removed = true;
      ++removedCount_;
      ++it;
    }
  }
}

void cmcEvMan::FreeRemoved() {
  if (depth_ != 0 || removedCount_ == 0) return;
  listeners_.remove_if([](const Listener& l) { return l.removed; });
  removedCount_ = 0;
}

void cmcEvMan::AddListener(ListenerFn fn, void* object) {
  if (fn == nullptr) return;
  MarkRemoved(fn, object, nullptr);
  Listener l;
  l.fn = fn;
  l.object = object;
  listeners_.push_front(std::move(l));
}

void cmcEvMan::RemoveListener(ListenerFn fn, void* object) {
  if (fn == nullptr) return;
  MarkRemoved(fn, object, nullptr);
}

void cmcEvMan::AddListener(const void* key, Closure closure) {
  if (key == nullptr || !closure) return;
  MarkRemoved(nullptr, nullptr, key);
  Listener l;
  l.key = key;
  l.closure = std::move(closure);
  listeners_.push_front(std::move(l));
}

void cmcEvMan::RemoveListener(const void* key) {
  if (key == nullptr) return;
  MarkRemoved(nullptr, nullptr, key);
}

int cmcEvMan::ListenerCount() const {
  int n = 0;
  for (const auto& l : listeners_) n += l.removed ? 0 : 1;
  return n;
}

// ---- delivery -------------------------------------------------------------

void cmcEvMan::Deliver(const cmcEvent& event) {
  ++depth_;
  // std::list keeps every node in place while others are inserted; marked
  // nodes are only erased at depth 0, so the walk never meets a freed node.
  // Listeners added during the walk go to the front, behind the walk.
  for (auto it = listeners_.begin(); it != listeners_.end(); ++it) {
    if (it->removed) continue;
    if (it->fn != nullptr) {
      it->fn(it->object, event);
    } else {
      it->closure(event);
    }
  }
  --depth_;
  FreeRemoved();
}

void cmcEvMan::SendAny(int id, std::intptr_t p1, std::intptr_t p2, std::any data) {
  Deliver(MakeEvent(id, cmcEvent::Sent, p1, p2, std::move(data)));
}

void cmcEvMan::Send(int id, std::intptr_t p1, std::intptr_t p2) { SendAny(id, p1, p2, {}); }

void cmcEvMan::SendStr(int id, std::intptr_t p1, std::intptr_t p2, std::string_view text) {
  SendAny(id, p1, p2, std::string(text));
}

void cmcEvMan::PostAny(int id, std::intptr_t p1, std::intptr_t p2, std::any data) {
  Queued q;
  q.event = MakeEvent(id, cmcEvent::Posted, p1, p2, std::move(data));
  queue_.push_back(std::move(q));
  // A tick already on its way keeps its time: earlier posts wait no longer.
  if (!task_->TimerActive()) task_->SetInterval(kDrainIntervalMs);
}

void cmcEvMan::Post(int id, std::intptr_t p1, std::intptr_t p2) { PostAny(id, p1, p2, {}); }

void cmcEvMan::PostStr(int id, std::intptr_t p1, std::intptr_t p2, std::string_view text) {
  PostAny(id, p1, p2, std::string(text));
}

void cmcEvMan::PostBlock(int id, const void* data, int length) {
  PostAny(id, 0, 0, CopyBlock(data, length));
}

void cmcEvMan::Drain() {
  // A drain asked for from inside a drain (a listener calling it directly)
  // would deliver records the outer walk is about to deliver.
  if (draining_) return;
  draining_ = true;
  for (auto& q : queue_) q.pending = false;
  // Records posted by listeners during the walk are appended with the
  // pending flag set and wait for the next tick.
  for (auto it = queue_.begin(); it != queue_.end(); ++it) {
    if (it->delivered || it->pending) continue;
    it->delivered = true;
    Deliver(it->event);
  }
  queue_.remove_if([](const Queued& q) { return q.delivered; });
  // What listeners posted during the walk waits for the next tick.
  if (queue_.empty()) task_->SetInterval(-1);
  draining_ = false;
  FreeRemoved();
}

// ---- queries --------------------------------------------------------------

cmcEvAnsList cmcEvMan::QueryAny(int id, std::intptr_t p1, std::intptr_t p2, std::any data) {
  cmcEvAnsList answers;
  answerLevels_.push_back(&answers);
  Deliver(MakeEvent(id, cmcEvent::Query, p1, p2, std::move(data)));
  answerLevels_.pop_back();
  return answers;
}

cmcEvAnsList cmcEvMan::Query(int id, std::intptr_t p1, std::intptr_t p2) {
  return QueryAny(id, p1, p2, {});
}

cmcEvAnsList cmcEvMan::QueryData(int id, std::intptr_t p1, std::intptr_t p2, const void* data,
                                 int length) {
  return QueryAny(id, p1, p2, CopyBlock(data, length));
}

void cmcEvMan::AnswerAny(std::intptr_t a, std::intptr_t b, std::any data) {
  if (answerLevels_.empty()) return;  // no query is being delivered
  cmcEvAns answer;
  answer.a = a;
  answer.b = b;
  answer.data = std::move(data);
  answerLevels_.back()->push_back(std::move(answer));
}

void cmcEvMan::Answer(std::intptr_t value) { AnswerAny(value, 0, {}); }

void cmcEvMan::AnswerValues(std::intptr_t a, std::intptr_t b) { AnswerAny(a, b, {}); }

void cmcEvMan::AnswerData(const void* data, int length) {
  AnswerAny(0, 0, CopyBlock(data, length));
}

void cmcEvMan::AnswerStr(std::string_view text) { AnswerAny(0, 0, std::string(text)); }

// ---- the program's bus ----------------------------------------------------

cmcEvMan& EvMan() {
  if (g_installed == nullptr) platform::Fatal(QStringLiteral("Event manager is not built !"));
  return *g_installed;
}

cmcEvMan* EvManIfInstalled() { return g_installed; }

ScopedEvMan::ScopedEvMan() : previous_(g_installed) { g_installed = &bus_; }

ScopedEvMan::~ScopedEvMan() { g_installed = previous_; }
