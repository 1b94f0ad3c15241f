#include "KelQvmOutput.h"

#include <iostream>

namespace {
std::ostream* gOut = nullptr;
}

std::ostream& KelQvmOutput::GetOut() { return gOut ? *gOut : std::cout; }

std::ostream* KelQvmOutput::SetOut(std::ostream* iStream)
{
  std::ostream* previous = gOut ? gOut : &std::cout;
  gOut = iStream;
  return previous;
}
