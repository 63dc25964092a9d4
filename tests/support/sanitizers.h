#pragma once

// NL_UNDER_ASAN is 1 in a build with AddressSanitizer, whose shadow memory makes address-space
// and resident-memory limits meaningless, so tests that set such limits skip there.
#if defined(__SANITIZE_ADDRESS__)
#define NL_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NL_UNDER_ASAN 1
#endif
#endif
