#include "console/byte_streams.hpp"

#include <cerrno>

namespace match3 {

ByteOutputBuffer::ByteOutputBuffer(WriteBytes write) : write_(write) {
  setp(bytes_.data(), bytes_.data() + bytes_.size());
}

ByteOutputBuffer::int_type ByteOutputBuffer::overflow(int_type byte) {
  if (!drain()) {
    return traits_type::eof();
  }
  if (!traits_type::eq_int_type(byte, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(byte);
    pbump(1);
  }
  return traits_type::not_eof(byte);
}

int ByteOutputBuffer::sync() { return drain() ? 0 : -1; }

bool ByteOutputBuffer::drain() {
  const char* next = pbase();
  bool written = true;
  while (next < pptr()) {
    const long count = write_(next, static_cast<std::size_t>(pptr() - next));
    if (count <= 0) {
      fail(count < 0 ? static_cast<int>(-count) : EIO);
      written = false;
      break;
    }
    next += count;
  }
  setp(bytes_.data(), bytes_.data() + bytes_.size());
  return written;
}

ByteInputBuffer::int_type ByteInputBuffer::underflow() {
  if (error_ != 0) {
    return traits_type::eof();
  }
  const long count = read_(bytes_.data(), bytes_.size());
  if (count <= 0) {
    if (count < 0) {
      fail(static_cast<int>(-count));
    }
    return traits_type::eof();
  }
  setg(bytes_.data(), bytes_.data(), bytes_.data() + count);
  return traits_type::to_int_type(bytes_.front());
}

}  // namespace match3
