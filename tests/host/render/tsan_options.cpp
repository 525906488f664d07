// Embree builds its scenes on oneTBB's worker threads, and neither library is built with
// ThreadSanitizer, so it cannot see how their memory is handed over and reports the calls they
// make (malloc, free, memcpy) as races. Those calls are ignored; every access of our own code is
// still checked. Only a ThreadSanitizer run reads this.
extern "C" const char* __tsan_default_options() {
    return "ignore_noninstrumented_modules=1";
}
