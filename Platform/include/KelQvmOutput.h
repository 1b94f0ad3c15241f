#ifndef KelQvmOutput_h
#define KelQvmOutput_h
// The modeller's output stream: std::cout unless redirected.

#include <ostream>

class KelQvmOutput {
public:
  static std::ostream& GetOut();
  // Redirects the stream; null restores std::cout. Returns the previous stream.
  static std::ostream* SetOut(std::ostream* iStream);
};

#endif
