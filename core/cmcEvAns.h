#pragma once
// Answers to a bus query: each answering listener adds one node with two
// pointer-sized values and an optional typed value of its own (a text, a
// byte block, a record). The asker owns the list it gets back, so an answer
// stays valid for as long as the asker keeps it.
#include <any>
#include <cstdint>
#include <string>
#include <vector>

struct cmcEvAns {
  std::intptr_t a = 0;
  std::intptr_t b = 0;
  std::any data;  // empty when the answer carries no data

  bool HasData() const { return data.has_value(); }
  // The data as T, or nullptr when it holds something else (or nothing).
  template <class T>
  const T* DataAs() const {
    return std::any_cast<T>(&data);
  }
  // Answers made with AnswerStr / AnswerData(bytes).
  const std::string* Text() const { return DataAs<std::string>(); }
  const std::vector<std::uint8_t>* Block() const { return DataAs<std::vector<std::uint8_t>>(); }
};

// The answers of one query in call order; empty when nobody answered.
using cmcEvAnsList = std::vector<cmcEvAns>;
