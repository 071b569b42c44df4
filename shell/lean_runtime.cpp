// The few C++ run-time functions the window's code calls (a growing vector), made without
// exceptions: the library's own throw, and bring its exception handling, its name demangler and
// its printf along, over 200 KB. A heap that has no memory left ends the program.
#include <cstdlib>
#include <vector>  // declares the library's __throw_ functions

void* operator new(std::size_t size) {
  void* block = std::malloc(size);
  if (block == nullptr) __builtin_trap();
  return block;
}

void operator delete(void* block) noexcept { std::free(block); }

void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace std {

void __throw_length_error(const char*) { __builtin_trap(); }
void __throw_bad_alloc() { __builtin_trap(); }
void __throw_bad_array_new_length() { __builtin_trap(); }

}  // namespace std
