/* Runs the single-key program under a pseudo-terminal: sends one lower-case
 * key without Enter once the terminal is in no-echo, no-line-buffering mode,
 * and checks the key, that it was not echoed, and that echo and line
 * buffering are on again afterwards, starting from echo on and from echo
 * off. Every wait is bounded. */
#include <errno.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

static const int kWaitMs = 20000;

static long elapsed_ms(const struct timespec* start) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (now.tv_sec - start->tv_sec) * 1000 + (now.tv_nsec - start->tv_nsec) / 1000000;
}

/* Appends what the child prints to out; returns when the child has closed
 * the terminal or the wait is over. */
static void collect_output(int master, char* out, size_t size, const struct timespec* start) {
  size_t used = strlen(out);
  while (elapsed_ms(start) < kWaitMs && used + 1 < size) {
    struct pollfd p = {master, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    const ssize_t got = read(master, out + used, size - used - 1);
    if (got <= 0) break; /* EIO once the child has gone */
    used += (size_t)got;
    out[used] = '\0';
  }
}

static int run_case(const char* child, int start_with_echo, char key) {
  int master;
  const pid_t pid = forkpty(&master, NULL, NULL, NULL);
  if (pid < 0) {
    perror("forkpty");
    return 1;
  }
  if (pid == 0) {
    execl(child, child, (char*)NULL);
    _exit(127);
  }
  struct termios modes;
  tcgetattr(master, &modes);
  modes.c_lflag |= ICANON;
  if (start_with_echo)
    modes.c_lflag |= ECHO;
  else
    modes.c_lflag &= ~(tcflag_t)ECHO;
  tcsetattr(master, TCSANOW, &modes);
  (void)write(master, "GO\n", 3);

  struct timespec start;
  clock_gettime(CLOCK_MONOTONIC, &start);
  char out[4096] = "";
  int ready = 0;
  while (!ready && elapsed_ms(&start) < kWaitMs) {
    if (tcgetattr(master, &modes) == 0 && !(modes.c_lflag & (ECHO | ICANON)))
      ready = 1;
    else
      usleep(10000);
  }
  if (ready) (void)write(master, &key, 1);
  collect_output(master, out, sizeof out, &start);

  int status = 0;
  if (waitpid(pid, &status, WNOHANG) == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  close(master);

  int failures = 0;
  int code = -1, kept = -1, echo_on = -1, canonical = -1;
  const char* report = strstr(out, "KEY ");
  if (!ready) {
    printf("FAIL echo %d: terminal never left echo and line buffering\n", start_with_echo);
    ++failures;
  }
  if (report == NULL ||
      sscanf(report, "KEY %d KEPT %d ECHO %d ICANON %d", &code, &kept, &echo_on, &canonical) != 4) {
    printf("FAIL echo %d: no report from the child\n", start_with_echo);
    ++failures;
  } else {
    if (code != (unsigned char)key) {
      printf("FAIL echo %d: key %d, want %d\n", start_with_echo, code, (unsigned char)key);
      ++failures;
    }
    if (kept != 1) {
      printf("FAIL echo %d: more than the first position of the key text written\n",
             start_with_echo);
      ++failures;
    }
    if (echo_on != 1 || canonical != 1) {
      printf("FAIL echo %d: afterwards echo %d, line buffering %d\n", start_with_echo, echo_on,
             canonical);
      ++failures;
    }
  }
  if (strchr(out, key) != NULL) {
    printf("FAIL echo %d: the key was echoed\n", start_with_echo);
    ++failures;
  }
  if (failures) printf("child output: [%s]\n", out);
  return failures;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <single-key program>\n", argv[0]);
    return 2;
  }
  int failures = 0;
  failures += run_case(argv[1], 1, 'k');
  failures += run_case(argv[1], 0, 'z');
  return failures == 0 ? 0 : 1;
}
