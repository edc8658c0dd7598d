#include "SharedWork.h"

#include <algorithm>
#include <system_error>

#include "SurfaceEvaluation.h"

namespace meshinterp {
namespace {

std::atomic<bool> secondThreadAllowed{true};
std::atomic<long long> secondThreadsStarted{0};

// Bands per grid when two threads share them: enough that the last band
// costs little, few enough that few regions' polynomials are built twice.
constexpr int kSharedBands = 12;

}  // namespace

void AllowSecondThread(bool allowed) { secondThreadAllowed.store(allowed); }
long long SecondThreadsStarted() { return secondThreadsStarted.load(); }

SurfaceWork::SurfaceWork(std::span<const Point> points, std::span<const double> values, std::size_t nodes)
    : points_(points), values_(values), derivatives_(points.size()) {
  const bool small = points.size() < kSmallestThreadedSet && nodes < kSmallestThreadedGrid;
  if (small || !secondThreadAllowed.load()) return;
  try {
    worker_ = std::thread([this] { Work(); });
    ++secondThreadsStarted;
  } catch (const std::system_error&) {
    // No thread: the calling thread does it all.
  }
}

SurfaceWork::~SurfaceWork() {
  stopEstimating_.store(true);
  {
    std::lock_guard lock(mutex_);
    givenUp_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

template <class Ready>
bool SurfaceWork::WaitUntil(Ready ready) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return ready() || givenUp_ || failed_; });
  return !givenUp_ && !failed_;
}

void SurfaceWork::Work() {
  try {
    workerLargest_ = LargestSquaredDistance(points_);
    largestReady_.store(true, std::memory_order_release);
    EstimateDerivativeChunks(points_, values_, workerLargest_, nextChunk_, derivatives_, &stopEstimating_);
    {
      std::lock_guard lock(mutex_);
      workerDerivativesDone_ = true;
    }
    changed_.notify_all();
    if (!WaitUntil([this] { return published_; })) return;
    ShareBands(true);
  } catch (...) {
    {
      std::lock_guard lock(mutex_);
      failure_ = std::current_exception();
      failed_ = true;
    }
    changed_.notify_all();
  }
}

bool SurfaceWork::ShareBands(bool worker) {
  // The other thread may still be estimating its last chunk of derivatives:
  // until it is done, bands are assigned and their evaluation put off.
  auto derivativesDone = [&] {
    return worker ? callerDerivativesDone_ : (workerDerivativesDone_ || !worker_.joinable());
  };
  std::vector<std::vector<Claim>> pending;
  bool evaluable = false;
  auto evaluatePending = [&] {
    for (const std::vector<Claim>& claims : pending) {
      EvaluateClaims(points_, values_, derivatives_, *triangulation_, claims, xout_, yout_, surface_);
    }
    {
      std::lock_guard lock(mutex_);
      bandsDone_ += static_cast<int>(pending.size());
    }
    changed_.notify_all();
    pending.clear();
  };
  for (int band = nextBand_.fetch_add(1); band < bands_.bandCount; band = nextBand_.fetch_add(1)) {
    pending.emplace_back();
    AssignBand(points_, *triangulation_, bands_, band, xout_, yout_, *assignment_, pending.back());
    if (!evaluable) {
      std::lock_guard lock(mutex_);
      evaluable = derivativesDone();
    }
    if (evaluable) evaluatePending();
  }
  if (pending.empty()) return true;
  if (!WaitUntil(derivativesDone)) return false;
  evaluatePending();
  return true;
}

void SurfaceWork::Finish(const Triangulation& triangulation, std::span<const double> xout,
                         std::span<const double> yout, NodeAssignment& assignment, std::vector<double>& surface) {
  const std::size_t nodes = xout.size() * yout.size();
  assignment.region.assign(nodes, NodeAssignment::kUnclaimed);
  assignment.onBoundary.assign(nodes, 0);
  surface.assign(nodes, 0);
  const int rows = static_cast<int>(yout.size());
  const int bandRows = worker_.joinable() ? std::max(1, (rows + kSharedBands - 1) / kSharedBands) : rows;
  bands_ = BandRegions(points_, triangulation, xout, yout, bandRows);
  triangulation_ = &triangulation;
  xout_ = xout;
  yout_ = yout;
  assignment_ = &assignment;
  surface_ = surface.data();
  {
    std::lock_guard lock(mutex_);
    published_ = true;
  }
  changed_.notify_all();

  if (nextChunk_.load() < static_cast<int>(points_.size())) {
    // The same value whichever thread works it out.
    const double largest =
        largestReady_.load(std::memory_order_acquire) ? workerLargest_ : LargestSquaredDistance(points_);
    EstimateDerivativeChunks(points_, values_, largest, nextChunk_, derivatives_);
  }
  {
    std::lock_guard lock(mutex_);
    callerDerivativesDone_ = true;
  }
  changed_.notify_all();
  if (ShareBands(false)) WaitUntil([this] { return bandsDone_ == bands_.bandCount; });
  if (worker_.joinable()) worker_.join();
  if (failure_) std::rethrow_exception(failure_);
}

}  // namespace meshinterp
