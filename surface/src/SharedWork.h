// The work of one gridding call that a second thread shares with the
// calling thread: the derivative estimation, which depends only on the
// points and values, while the calling thread triangulates; then the
// assignment of the grid nodes to regions and the evaluation of the surface,
// band by band of grid rows.
#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "Derivatives.h"
#include "Geometry.h"
#include "KeptStorage.h"
#include "Regions.h"
#include "Triangulation.h"

namespace meshinterp {

// Work is handed out in chunks that either thread takes, so the calling
// thread never waits for a thread that got no processor, except for the one
// chunk that thread is working on. Small sets on small grids, where starting
// a thread costs about what it saves, and calls where no thread can be
// started get none: the calling thread does it all, with the same result.
// The thread is always joined before the object goes away.
class SurfaceWork {
 public:
  static constexpr std::size_t kSmallestThreadedSet = 1000;
  static constexpr std::size_t kSmallestThreadedGrid = 4000;

  SurfaceWork(std::span<const Point> points, std::span<const double> values, std::size_t nodes);
  ~SurfaceWork();
  SurfaceWork(const SurfaceWork&) = delete;
  SurfaceWork& operator=(const SurfaceWork&) = delete;

  // After the triangulation: assigns every node to its region and puts the
  // surface at each claimed node into surface[node] (nodes counted i + j *
  // columns). Rethrows what the second thread failed with.
  void Finish(const Triangulation& triangulation, std::span<const double> xout, std::span<const double> yout,
              NodeAssignment& assignment, std::vector<double>& surface);

 private:
  void Work();
  // Takes bands until none is left; false when the call was given up.
  bool ShareBands(bool worker);
  // Waits under the lock until `ready` holds or the call was given up.
  template <class Ready>
  bool WaitUntil(Ready ready);

  std::span<const Point> points_;
  std::span<const double> values_;
  KeptVector<PartialDerivatives> derivatives_;
  std::atomic<int> nextChunk_{0};
  // Set when the call ends before Finish (a refused triangulation): the
  // second thread stops estimating at the next point.
  std::atomic<bool> stopEstimating_{false};
  double workerLargest_ = 0;
  std::atomic<bool> largestReady_{false};

  // Published by Finish before the bands are shared.
  const Triangulation* triangulation_ = nullptr;
  std::span<const double> xout_, yout_;
  NodeAssignment* assignment_ = nullptr;
  double* surface_ = nullptr;
  RegionBands bands_;
  std::atomic<int> nextBand_{0};

  std::mutex mutex_;
  std::condition_variable changed_;
  bool published_ = false;
  bool workerDerivativesDone_ = false;
  bool callerDerivativesDone_ = false;
  int bandsDone_ = 0;
  bool givenUp_ = false;
  bool failed_ = false;
  std::exception_ptr failure_;
  std::thread worker_;
};

// For tests: whether calls may start a second thread (the results are the
// same either way), and how many such threads calls have started so far.
void AllowSecondThread(bool allowed);
long long SecondThreadsStarted();

}  // namespace meshinterp
