/* Runs a command with standard streams on /dev/null and prints its wall time in seconds and its
   peak resident memory in KiB. Started from this small process, the command's peak is its own. */
#include <fcntl.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv) {
  struct timespec start, end;
  struct rusage usage;
  int status = 0;
  pid_t child;
  if (argc < 2) return 2;
  clock_gettime(CLOCK_MONOTONIC, &start);
  child = fork();
  if (child == 0) {
    int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    execv(argv[1], argv + 1);
    _exit(127);
  }
  if (child < 0 || wait4(child, &status, 0, &usage) < 0) return 1;
  clock_gettime(CLOCK_MONOTONIC, &end);
  printf("%.9f %ld\n", (double)(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9,
         usage.ru_maxrss);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
