# Cross build for 64-bit ARM Linux with Debian's cross compiler and the arm64
# libraries installed beside the native ones (multiarch):
#   cmake --preset arm64
# scripts/arm64.sh installs what this needs and builds. The programs the
# build runs (the asset generator, the capture tool, test discovery) and the
# tests run under qemu-aarch64.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Libraries and their CMake and pkg-config files come from the arm64
# multiarch folders (/usr/lib/aarch64-linux-gnu); headers from /usr/include,
# which the architectures share.
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config CACHE FILEPATH "pkg-config for arm64")

# The arm64 programs run under user-mode emulation; the arm64 C library and
# loader are installed as multiarch packages, so no separate root is needed.
find_program(KELVOR_QEMU_AARCH64 qemu-aarch64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KELVOR_QEMU_AARCH64})

# The Debian package is for arm64 whatever machine builds it.
set(KELVOR_DEBIAN_ARCHITECTURE arm64)
