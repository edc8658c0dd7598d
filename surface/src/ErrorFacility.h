// Error reporting of the surface library: a stack of routine names, one
// pending error per level, message texts with placeholders and reports that
// are printed according to their class.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace meshinterp {

enum class ErrorClass : int {
  None = 0,
  Note = 1,
  Alert = 2,
  Warning = 3,
  Fatal = 4,
  Terminal = 5,
  WarningImmediate = 6,
  FatalImmediate = 7,
};

// True for the classes after which the caller receives no result.
bool StopsComputation(ErrorClass errorClass);

class ErrorFacility {
 public:
  // Receives each finished report, lines ended by '\n'.
  using Sink = std::function<void(std::string_view)>;

  static constexpr int kMaxLevels = 50;
  static constexpr std::size_t kMaxNameLength = 32;
  static constexpr std::size_t kLineWidth = 72;

  explicit ErrorFacility(Sink sink);

  void Register(std::string_view routineName);
  void Deregister(std::string_view routineName);

  // Values for the placeholders %(Ik), %(Dk) and %(Lk), k = 1 to 9. They are
  // used by the next Post and then forgotten.
  void StoreInteger(int k, long long value);
  void StoreReal(int k, double value);
  void StoreText(int k, std::string_view value);

  void Post(ErrorClass errorClass, int code, std::string_view message);

  ErrorClass PendingClass() const;
  int PendingCode() const;
  // Class and code that the routine which deregistered last had pending.
  ErrorClass CalleeClass() const { return calleeClass_; }
  int CalleeCode() const { return calleeCode_; }

  int Depth() const { return static_cast<int>(levels_.size()); }

  // The report text (with trailing newline) as it is printed.
  static std::string ComposeReport(ErrorClass errorClass, int code, std::string_view routineName,
                                   std::string_view filledMessage);
  std::string FillPlaceholders(std::string_view message) const;

 private:
  struct Level {
    std::string name;
    ErrorClass errorClass = ErrorClass::None;
    int code = 0;
    std::string report;
  };

  Sink sink_;
  std::vector<Level> levels_;
  ErrorClass calleeClass_ = ErrorClass::None;
  int calleeCode_ = 0;
  std::array<std::optional<long long>, 9> integers_{};
  std::array<std::optional<double>, 9> reals_{};
  std::array<std::optional<std::string>, 9> texts_{};
};

// Registers a routine name for the lifetime of the scope.
class RoutineScope {
 public:
  RoutineScope(ErrorFacility& errors, std::string_view name) : errors_(errors), name_(name) {
    errors_.Register(name_);
  }
  ~RoutineScope() { errors_.Deregister(name_); }
  RoutineScope(const RoutineScope&) = delete;
  RoutineScope& operator=(const RoutineScope&) = delete;

 private:
  ErrorFacility& errors_;
  std::string_view name_;
};

}  // namespace meshinterp
