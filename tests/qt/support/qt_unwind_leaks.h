#pragma once

// An error shown by the program's catch-all error display unwinds through
// Qt frames that are built without cleanups, so the few bytes they hold
// (event points, QPointer guards) are lost. That is the accepted price of
// the display; tests that provoke it ignore those leaks while they do.

#if defined(__SANITIZE_ADDRESS__)
#define SNPP_WITH_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SNPP_WITH_LSAN 1
#endif
#endif
#ifdef SNPP_WITH_LSAN
#include <sanitizer/lsan_interface.h>
#endif

struct QtUnwindLeaksIgnored {
  QtUnwindLeaksIgnored() {
#ifdef SNPP_WITH_LSAN
    __lsan_disable();
#endif
  }
  ~QtUnwindLeaksIgnored() {
#ifdef SNPP_WITH_LSAN
    __lsan_enable();
#endif
  }
  QtUnwindLeaksIgnored(const QtUnwindLeaksIgnored&) = delete;
  QtUnwindLeaksIgnored& operator=(const QtUnwindLeaksIgnored&) = delete;
};
