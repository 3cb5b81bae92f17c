// Coverage-guided fuzzing of the text routines of ctext_util as a calling
// program passes them texts: any bytes as a fixed-length text with its
// hidden length, or as a terminated one where the routine takes that.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" double atoanglexx(const char* text);
extern "C" double atoangle_(const char* text, int32_t text_len);
extern "C" void rpad_(char* text, int32_t text_len);
extern "C" int32_t sscanf3_(const char* text, const char* format, void* a, void* b, void* c,
                            int32_t text_len, int32_t format_len);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 2 || Size > 4096) return 0;
  const uint8_t Routine = Data[0] % 4;
  // The text exactly as long as the caller declares it: no terminator.
  std::vector<char> Text(Data + 1, Data + Size);
  const auto Length = static_cast<int32_t>(Text.size());
  std::vector<char> Terminated(Text);
  Terminated.push_back('\0');
  switch (Routine) {
    case 0: (void)atoangle_(Text.data(), Length); break;
    case 1: (void)atoanglexx(Terminated.data()); break;
    case 2: {
      rpad_(Text.data(), Length);
      // Blank from the first NUL on, nothing else changed.
      const void* Nul = std::memchr(Data + 1, 0, Size - 1);
      const std::size_t Kept =
          Nul ? static_cast<std::size_t>(static_cast<const uint8_t*>(Nul) - (Data + 1)) : Size - 1;
      if (std::memcmp(Text.data(), Data + 1, Kept) != 0) std::abort();
      for (std::size_t I = Kept; I < Text.size(); ++I)
        if (Text[I] != ' ') std::abort();
      break;
    }
    default: {
      double A = 0, B = 0, C = 0;
      (void)sscanf3_(Terminated.data(), "%lf %lf %lf", &A, &B, &C, Length, 11);
      int I = 0, J = 0, K = 0;
      (void)sscanf3_(Terminated.data(), "%d%d%d", &I, &J, &K, Length, 6);
      break;
    }
  }
  return 0;
}
