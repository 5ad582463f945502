// TextCodec -- CP932 <-> UTF-8 through the C library's iconv.
#include "platform/TextCodec.h"

#include <iconv.h>
#include <algorithm>
#include <cerrno>

namespace Platform {

namespace {

// One conversion with iconv; on an unconvertible sequence either substitutes or stops.
bool Convert(const char* to, const char* from, const std::string& in, std::string& out, size_t& badOffset,
             const char* substitute, size_t skipBytes) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr): iconv's failure value
    badOffset = 0;
    return false;
  }
  out.clear();
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[1024];
  bool ok = true;
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, dst - buffer);
    if (r != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    if (substitute == nullptr) {
      badOffset = in.size() - srcLeft;
      ok = false;
      break;
    }
    out += substitute;
    size_t skip = std::min(srcLeft, errno == EINVAL ? srcLeft : skipBytes);
    src += skip;
    srcLeft -= skip;
  }
  iconv_close(cd);
  return ok;
}

}  // namespace

std::string Cp932ToUtf8(const std::string& cp932) {
  std::string out;
  size_t unused = 0;
  Convert("UTF-8", "CP932", cp932, out, unused, "\xEF\xBF\xBD", 1);
  return out;
}

bool Utf8ToCp932(const std::string& utf8, std::string& cp932, size_t& badOffset) {
  return Convert("CP932", "UTF-8", utf8, cp932, badOffset, nullptr, 0);
}

}  // namespace Platform
