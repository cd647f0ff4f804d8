#include "console/output.hpp"

#include "console/byte_streams.hpp"

namespace match3 {

void writeText(std::string_view text) { putBytes(standardOutput(), text); }

void endLine() {
  ByteOutput& output = standardOutput();
  putBytes(output, "\n");
  static_cast<void>(flushBytes(output));
}

void flushOutput() { static_cast<void>(flushBytes(standardOutput())); }

}  // namespace match3
