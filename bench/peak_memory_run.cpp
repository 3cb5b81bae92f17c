// Runs a program with its arguments and prints its peak resident memory in
// kilobytes, taken from the child's resource usage.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: peak_memory_run program [args...]\n");
    return 2;
  }
  pid_t Child = fork();
  if (Child < 0) return 2;
  if (Child == 0) {
    execv(argv[1], argv + 1);
    _exit(127);
  }
  int Status = 0;
  rusage Usage{};
  if (wait4(Child, &Status, 0, &Usage) < 0) return 2;
  std::printf("%ld\n", Usage.ru_maxrss);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : 2;
}
