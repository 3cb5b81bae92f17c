// Built into msd_plot only under the sanitizers (make test-sanitized): the
// memory that the drawing library's dependencies keep for the whole process
// and never give back (fontconfig's font tables, the handles of PLplot's
// device loader) is no leak of ours, and the leak checker is told so,
// without a report of what it passed over on standard error.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libltdl.so\n";
}

extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
