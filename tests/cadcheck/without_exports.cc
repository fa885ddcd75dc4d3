// A library named cadcheck.so that lacks the four functions.
extern "C" __attribute__((visibility("default"))) int unrelated_function() { return 42; }
