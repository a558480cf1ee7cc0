// The fuzz targets' side of the fuzz runner (tests/fuzz/FuzzRunner.cpp).
//
// A target is one source file tests/fuzz/<name>.cpp that defines FuzzOne.
// The runner feeds it its kept failures, its seeds (tests/fuzz/corpus/<name>/)
// and then mutations of them, each input written to the failure folder
// before it runs. Whatever the input, FuzzOne must return normally: a crash,
// an exception that leaves it, a call of FuzzFail or an input that takes
// longer than the slow limit is a failure. Errors that the code under test
// reports by design (an exception for malformed input, say) are caught by
// the target itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// Runs one input. Defined by each target.
void FuzzOne(const uint8_t* Data, size_t Size);

// Reports that the current input broke a property the target checks (the
// service stopped answering, say): the input is kept as a failure and the
// run ends with a non-zero exit code.
[[noreturn]] void FuzzFail(const std::string& Why);

// A check that fails the current input with Why unless Condition holds.
inline void FuzzCheck(bool Condition, const std::string& Why) {
  if (!Condition) FuzzFail(Why);
}

// Registers work for the end of the run (freeing what the target made on its
// first input); it runs after the last input, before the units finish. A
// failure reported from it (FuzzFail) fails the run but keeps no input.
void FuzzAtEnd(std::function<void()> Done);
