#include "ErrorFacility.h"

#include <cassert>
#include <charconv>
#include <stdexcept>
#include <utility>

namespace meshinterp {
namespace {

std::string_view ClassWord(ErrorClass errorClass) {
  switch (errorClass) {
    case ErrorClass::Note: return "NOTE";
    case ErrorClass::Alert: return "ALERT";
    case ErrorClass::Warning:
    case ErrorClass::WarningImmediate: return "WARNING";
    case ErrorClass::Fatal:
    case ErrorClass::FatalImmediate: return "FATAL";
    case ErrorClass::Terminal: return "TERMINAL";
    case ErrorClass::None: break;
  }
  return "";
}

bool PrintedWhenPosted(ErrorClass errorClass) {
  return errorClass == ErrorClass::Terminal || errorClass == ErrorClass::WarningImmediate ||
         errorClass == ErrorClass::FatalImmediate;
}

bool PrintedByOutermost(ErrorClass errorClass) {
  return errorClass == ErrorClass::Warning || errorClass == ErrorClass::Fatal;
}

bool HandedToCaller(ErrorClass errorClass) {
  return static_cast<int>(errorClass) >= 2 && static_cast<int>(errorClass) <= 7;
}

std::string FormatReal(double value) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc{}) return "?";
  return std::string(buffer, end);
}

int SlotOf(int k) {
  if (k < 1 || k > 9) throw std::out_of_range("placeholder number must be 1 to 9");
  return k - 1;
}

}  // namespace

bool StopsComputation(ErrorClass errorClass) {
  return errorClass == ErrorClass::Fatal || errorClass == ErrorClass::Terminal ||
         errorClass == ErrorClass::FatalImmediate;
}

ErrorFacility::ErrorFacility(Sink sink) : sink_(std::move(sink)) {}

void ErrorFacility::Register(std::string_view routineName) {
  if (static_cast<int>(levels_.size()) >= kMaxLevels) throw std::length_error("routine name stack is full");
  Level level;
  level.name = std::string(routineName.substr(0, kMaxNameLength));
  levels_.push_back(std::move(level));
}

void ErrorFacility::Deregister(std::string_view routineName) {
  // Scopes always deregister what they registered; a mismatch is a fault of
  // this library, never of its caller, and must not end the caller's process.
  assert(!levels_.empty() && levels_.back().name == routineName.substr(0, kMaxNameLength));
  (void)routineName;
  if (levels_.empty()) return;
  Level top = std::move(levels_.back());
  levels_.pop_back();
  calleeClass_ = top.errorClass;
  calleeCode_ = top.code;
  if (!levels_.empty()) {
    if (HandedToCaller(top.errorClass)) {
      Level& caller = levels_.back();
      caller.errorClass = top.errorClass;
      caller.code = top.code;
      caller.report = std::move(top.report);
    }
  } else if (PrintedByOutermost(top.errorClass)) {
    sink_(top.report);
  }
}

void ErrorFacility::StoreInteger(int k, long long value) { integers_[SlotOf(k)] = value; }
void ErrorFacility::StoreReal(int k, double value) { reals_[SlotOf(k)] = value; }
void ErrorFacility::StoreText(int k, std::string_view value) { texts_[SlotOf(k)] = std::string(value); }

void ErrorFacility::Post(ErrorClass errorClass, int code, std::string_view message) {
  if (levels_.empty()) throw std::logic_error("error posted outside a registered routine");
  Level& level = levels_.back();
  level.errorClass = errorClass;
  level.code = code;
  level.report = ComposeReport(errorClass, code, level.name, FillPlaceholders(message));
  integers_ = {};
  reals_ = {};
  texts_ = {};
  if (PrintedWhenPosted(errorClass)) sink_(level.report);
}

ErrorClass ErrorFacility::PendingClass() const {
  return levels_.empty() ? ErrorClass::None : levels_.back().errorClass;
}

int ErrorFacility::PendingCode() const { return levels_.empty() ? 0 : levels_.back().code; }

std::string ErrorFacility::FillPlaceholders(std::string_view message) const {
  std::string out;
  std::size_t i = 0;
  while (i < message.size()) {
    // "%(" letter digit ")"
    if (message[i] == '%' && i + 4 < message.size() && message[i + 1] == '(' && message[i + 4] == ')' &&
        message[i + 3] >= '1' && message[i + 3] <= '9') {
      const int slot = message[i + 3] - '1';
      const char letter = message[i + 2];
      std::optional<std::string> value;
      if ((letter == 'I' || letter == 'i') && integers_[slot]) value = std::to_string(*integers_[slot]);
      if ((letter == 'D' || letter == 'd') && reals_[slot]) value = FormatReal(*reals_[slot]);
      if ((letter == 'L' || letter == 'l') && texts_[slot]) value = *texts_[slot];
      if (value) {
        out += *value;
        i += 5;
        continue;
      }
    }
    out += message[i];
    ++i;
  }
  return out;
}

std::string ErrorFacility::ComposeReport(ErrorClass errorClass, int code, std::string_view routineName,
                                         std::string_view filledMessage) {
  std::string text = " *** ";
  text += ClassWord(errorClass);
  text += " ERROR ";
  text += std::to_string(code);
  text += " from ";
  text += routineName;
  text += ".  ";
  text += filledMessage;

  // Break at the last blank that keeps a line within kLineWidth; the
  // continuation lines carry their own prefix.
  static constexpr std::string_view kContinuation = " ***          ";
  std::string report;
  std::size_t start = 0;
  std::size_t width = kLineWidth;
  bool first = true;
  while (true) {
    if (!first) report += kContinuation;
    const std::size_t remaining = text.size() - start;
    if (remaining <= width) {
      report.append(text, start, remaining);
      report += '\n';
      break;
    }
    std::size_t cut = text.rfind(' ', start + width);
    // A break inside the leading " *** " or within no word boundary: cut hard.
    if (cut == std::string::npos || cut <= start + (first ? 5 : 0)) cut = start + width;
    std::size_t lineEnd = cut;
    while (lineEnd > start && text[lineEnd - 1] == ' ') --lineEnd;
    report.append(text, start, lineEnd - start);
    report += '\n';
    start = cut;
    while (start < text.size() && text[start] == ' ') ++start;
    if (start >= text.size()) break;
    if (first) {
      first = false;
      width = kLineWidth - kContinuation.size();
    }
  }
  return report;
}

}  // namespace meshinterp
