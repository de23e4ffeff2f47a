#pragma once
// Benchmarks that are only known at run time (one per theme and level) register themselves
// here, after the application exists.
namespace velmora::bench {

void RegisterBenchmarks();

}  // namespace velmora::bench
