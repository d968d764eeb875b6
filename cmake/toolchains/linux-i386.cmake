# Linux 32-bit x86 with the native compiler's -m32 and Debian's i386
# packages (g++-multilib, lib*-dev:i386). Not a cross build: the programs
# run on the build machine.
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -m32)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(ENV{PKG_CONFIG_LIBDIR} "/usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig")
# Debian's i386 OpenEXR development files cannot be installed beside the
# native ones; scripts/install-deps.sh unpacks them here instead.
set(LUMIDROME_I386_PREFIX /opt/lumidrome-i386/usr CACHE PATH
  "Debian's i386 OpenEXR and Imath packages, unpacked")
list(APPEND CMAKE_PREFIX_PATH "${LUMIDROME_I386_PREFIX}")
