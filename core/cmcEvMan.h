#pragma once
// The event bus. Parts of the program that must not call each other
// (sheets, tree, menus, tool bar, popups, dialogs, main controller) talk
// through integer events: sent (every listener runs before the call
// returns), posted (delivered on the bus's next 10 ms tick; events posted
// while the queue drains wait for the tick after) or asked as a query
// (listeners answer, the asker gets the answers in call order).
//
// Listeners run newest first. A listener may add or remove listeners,
// itself included, while it is being called: removed nodes are only marked
// and are freed once no delivery is running (a nested event loop inside a
// listener may drain the queue while an outer delivery still walks the
// list). Everything runs on the user-interface thread.
#include <any>
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/EventIds.h"
#include "core/cmcEvAns.h"
#include "core/cmcTask.h"

struct cmcEvent {
  enum Mode { Posted = 0, Sent = 1, Query = 2 };

  int id = 0;
  int mode = Sent;
  std::intptr_t p1 = 0;
  std::intptr_t p2 = 0;
  std::any data;  // the record's own copy; empty when none

  bool HasData() const { return data.has_value(); }
  template <class T>
  const T* DataAs() const {
    return std::any_cast<T>(&data);
  }
  // Data of SendStr / PostStr (without a terminating NUL).
  const std::string* Text() const { return DataAs<std::string>(); }
  // Data of PostBlock / QueryData with a byte block.
  const std::vector<std::uint8_t>* Block() const { return DataAs<std::vector<std::uint8_t>>(); }
};

// Typed event data must be a value, never a raw pointer: the record owns it.
template <class T>
concept EventDataValue =
    !std::is_pointer_v<std::decay_t<T>> && std::is_copy_constructible_v<std::decay_t<T>> &&
    !std::is_same_v<std::decay_t<T>, std::any>;

class cmcEvMan {
 public:
  using ListenerFn = void (*)(void* object, const cmcEvent& event);
  using Closure = std::function<void(const cmcEvent& event)>;

  cmcEvMan();
  ~cmcEvMan();
  cmcEvMan(const cmcEvMan&) = delete;
  cmcEvMan& operator=(const cmcEvMan&) = delete;

  // Function and object. An unset function is ignored. Adding an equal
  // listener (same function and object) again moves it to the front.
  void AddListener(ListenerFn fn, void* object);
  void RemoveListener(ListenerFn fn, void* object);
  // Member function listener: AddListener<Sheet, &Sheet::OnEvent>(this).
  template <class T, void (T::*Method)(const cmcEvent&)>
  void AddListener(T* object) {
    AddListener(&Trampoline<T, Method>, object);
  }
  template <class T, void (T::*Method)(const cmcEvent&)>
  void RemoveListener(T* object) {
    RemoveListener(&Trampoline<T, Method>, object);
  }
  // Closure identified by a key (usually the owner's this); the same key
  // again replaces it and moves it to the front. A null key or an empty
  // closure is ignored.
  void AddListener(const void* key, Closure closure);
  void RemoveListener(const void* key);

  void Send(int id, std::intptr_t p1 = 0, std::intptr_t p2 = 0);
  void SendStr(int id, std::intptr_t p1, std::intptr_t p2, std::string_view text);
  template <EventDataValue T>
  void SendData(int id, std::intptr_t p1, std::intptr_t p2, T&& value) {
    SendAny(id, p1, p2, std::any(std::forward<T>(value)));
  }

  void Post(int id, std::intptr_t p1 = 0, std::intptr_t p2 = 0);
  void PostStr(int id, std::intptr_t p1, std::intptr_t p2, std::string_view text);
  // A copy of the block as std::vector<uint8_t>; none for a null pointer or
  // a length of 0 or less.
  void PostBlock(int id, const void* data, int length);
  template <EventDataValue T>
  void PostData(int id, std::intptr_t p1, std::intptr_t p2, T&& value) {
    PostAny(id, p1, p2, std::any(std::forward<T>(value)));
  }

  // Delivers at once and returns the answers in call order.
  cmcEvAnsList Query(int id, std::intptr_t p1 = 0, std::intptr_t p2 = 0);
  cmcEvAnsList QueryData(int id, std::intptr_t p1, std::intptr_t p2, const void* data, int length);
  template <EventDataValue T>
  cmcEvAnsList QueryData(int id, std::intptr_t p1, std::intptr_t p2, T&& value) {
    return QueryAny(id, p1, p2, std::any(std::forward<T>(value)));
  }

  // Answers to the query being delivered; ignored when no query is.
  void Answer(std::intptr_t value);
  void AnswerValues(std::intptr_t a, std::intptr_t b);
  void AnswerData(const void* data, int length);
  void AnswerStr(std::string_view text);
  template <EventDataValue T>
  void AnswerData(T&& value) {
    AnswerAny(0, 0, std::any(std::forward<T>(value)));
  }

  // One tick of the bus: delivers what was posted before this drain began.
  // The bus's own 10 ms task calls it; tests may call it directly. The task
  // is armed by a post and stops once a drain leaves the queue empty.
  void Drain();

  // Introspection for tests and diagnostics.
  int QueuedCount() const { return static_cast<int>(queue_.size()); }
  int ListenerNodeCount() const { return static_cast<int>(listeners_.size()); }
  int ListenerCount() const;
  int DeliveryDepth() const { return depth_; }
  const cmcTask* DrainTask() const { return task_.get(); }

 private:
  struct Listener {
    ListenerFn fn = nullptr;
    void* object = nullptr;
    const void* key = nullptr;  // closures
    Closure closure;
    bool removed = false;
  };
  struct Queued {
    cmcEvent event;
    bool pending = true;
    bool delivered = false;
  };

  template <class T, void (T::*Method)(const cmcEvent&)>
  static void Trampoline(void* object, const cmcEvent& event) {
    (static_cast<T*>(object)->*Method)(event);
  }

  void SendAny(int id, std::intptr_t p1, std::intptr_t p2, std::any data);
  void PostAny(int id, std::intptr_t p1, std::intptr_t p2, std::any data);
  cmcEvAnsList QueryAny(int id, std::intptr_t p1, std::intptr_t p2, std::any data);
  void AnswerAny(std::intptr_t a, std::intptr_t b, std::any data);
  void Deliver(const cmcEvent& event);
  void MarkRemoved(ListenerFn fn, void* object, const void* key);
  void FreeRemoved();

  std::list<Listener> listeners_;
  std::list<Queued> queue_;
  std::vector<cmcEvAnsList*> answerLevels_;  // innermost query last
  int depth_ = 0;                            // deliveries running
  int removedCount_ = 0;                     // marked nodes not yet freed
  bool draining_ = false;
  cmcTaskPtr task_;
};

// The program's bus: the one installed by main() (a ScopedEvMan) or by a
// test. Using the bus before one is installed is an internal failure.
cmcEvMan& EvMan();
cmcEvMan* EvManIfInstalled();

// Builds a bus and installs it for its lifetime (the previous one, if any,
// comes back afterwards).
class ScopedEvMan {
 public:
  ScopedEvMan();
  ~ScopedEvMan();
  ScopedEvMan(const ScopedEvMan&) = delete;
  ScopedEvMan& operator=(const ScopedEvMan&) = delete;
  cmcEvMan& Bus() { return bus_; }
  cmcEvMan* operator->() { return &bus_; }

 private:
  cmcEvMan bus_;
  cmcEvMan* previous_;
};
