# Compiling for the browser page: WebAssembly with Debian's clang and its WASI C and C++
# libraries (wasi-libc, libc++-14-dev-wasm32), which that clang finds by itself.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# The archiver must index WebAssembly objects, which binutils' cannot read.
set(CMAKE_AR llvm-ar-14)
set(CMAKE_RANLIB llvm-ranlib-14)
set(SW_WEB ON)
# The WASI C++ library has neither exceptions nor run-time type information.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -fno-rtti")
