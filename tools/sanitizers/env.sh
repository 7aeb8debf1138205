# Sourced by the scripts that run the sanitizer build: every report stops the
# program with a failure, and leaks that system libraries (SDL, X, the sound
# system, the image decoders) make at exit are suppressed by
# tools/sanitizers/lsan.supp. Our own code is never suppressed.
TARN_SANITIZER_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$TARN_SANITIZER_DIR/lsan.supp:print_suppressions=0"
