// Defaults of the AddressSanitizer runtime in the sanitizer build, linked
// into every program of it.
//
// The leak check at exit also scans the thread-local blocks that libraries
// loaded later (Qt's image plugins and what they load) get from the heap. It
// finds their sizes by reading the C library's block headers, and the
// runtime that comes with GCC 12 reads those of glibc 2.36 wrongly: depending
// on what lay before a block on the heap, the check itself crashed and the
// program ended with a failure though nothing had leaked. Without watching
// __tls_get_addr, such blocks are heap blocks like any other to the check.
extern "C" __attribute__((used, visibility("default"))) const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}
