/* Angles read through the by-value entry from terminated texts. */
#include <math.h>
#include <stdio.h>

double atoanglexx(const char* text);

struct angle_case {
  const char* text;
  double want;
};

int main(void) {
  const struct angle_case cases[] = {
      {"10:30:36", 10.0 + 30.0 / 60.0 + 36.0 / 3600.0},
      {"10.5:30", 11.0},
      {"12:-30", 11.5},
      {"-0:30", -0.5},
      {"-10:30:36", -(10.0 + 30.0 / 60.0 + 36.0 / 3600.0)},
      {"+7:15", 7.25},
      {"+-2:30", -2.5}, /* plus, then minus: negative */
      {"--2", 2.0},     /* second minus belongs to the degrees */
      {"--2:30", 1.5},  /* (0.5 - 2) * -1 */
      {" -5:30", -4.5}, /* blank first: no sign rule, degrees -5 */
      {"12 30", 12.0},  /* blanks do not separate fields */
      {"1:2:3:4", 1.0 + 2.0 / 60.0 + 3.0 / 3600.0},
      {"", 0.0},
      {"    ", 0.0},
      {"abc", 0.0},
      {"x:30", 0.5}, /* no leading number: degrees 0 */
      {"0:90", 1.5}, /* minutes above 59 added as they are */
      {"1.5e1:0:36", 15.01},
      {"45:30     ", 45.5},
      {"-", 0.0},
  };
  int failures = 0;
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    const double got = atoanglexx(cases[i].text);
    if (!(fabs(got - cases[i].want) <= 1e-12)) {
      printf("FAIL [%s]: got %.17g, want %.17g\n", cases[i].text, got, cases[i].want);
      ++failures;
    }
  }
  /* The sign of a zero angle is kept. */
  if (!signbit(atoanglexx("-0"))) {
    printf("FAIL [-0]: sign lost\n");
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
