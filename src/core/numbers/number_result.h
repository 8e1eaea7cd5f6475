#pragma once
// What a number command hands back to the interface: text to put into the
// document, a message to show (the document stays unchanged), or nothing at
// all (a need of the command was not met: it does nothing and says nothing).

#include <string>
#include <string_view>

namespace kiv {

struct NumberResult {
  enum class Action { Put, Show, Nothing };
  Action action = Action::Nothing;
  std::string text;     // Put: document bytes (Windows-1251)
  std::string message;  // Show: UTF-8 text for a message box

  static NumberResult put(std::string t) { return {Action::Put, std::move(t), {}}; }
  static NumberResult show(std::string m) { return {Action::Show, {}, std::move(m)}; }
  static NumberResult nothing() { return {}; }
  bool isPut() const { return action == Action::Put; }
  bool isShow() const { return action == Action::Show; }
  bool isNothing() const { return action == Action::Nothing; }
};

// True when `text` is not empty and every byte is "0" to "9".
bool isDigitsOnly(std::string_view text);

// The conversion error message for document bytes, with the text shown as
// Windows-1251 decoded to UTF-8.
std::string notIntegerMessageFor(std::string_view documentBytes);
std::string notFloatMessageFor(std::string_view documentBytes);

}  // namespace kiv
