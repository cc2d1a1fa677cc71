/* The configuration MeCab's library is built with here, in place of the
   one its configure script writes: the same header serves the Linux host
   (glibc) and the Windows tree (mingw-w64). */
#ifndef QUCAP_MECAB_CONFIG_H
#define QUCAP_MECAB_CONFIG_H

#define PACKAGE "mecab"
#define VERSION "0.996"

#define HAVE_CTYPE_H 1
#define HAVE_FCNTL_H 1
#define HAVE_INTTYPES_H 1
#define HAVE_STDINT_H 1
#define HAVE_STDLIB_H 1
#define HAVE_STRING_H 1
#define HAVE_SYS_STAT_H 1
#define HAVE_SYS_TYPES_H 1
#define HAVE_UNSIGNED_LONG_LONG_INT 1
#define HAVE_TLS_KEYWORD 1
#define STDC_HEADERS 1

#if defined(_WIN32)
#define HAVE_WINDOWS_H 1
#define HAVE_IO_H 1
#else
#define HAVE_DIRENT_H 1
#define HAVE_UNISTD_H 1
#define HAVE_SYS_MMAN_H 1
#define HAVE_SYS_PARAM_H 1
#define HAVE_SYS_TIMES_H 1
#define HAVE_MMAP 1
#define HAVE_PTHREAD_H 1
#define HAVE_GCC_ATOMIC_OPS 1
#define HAVE_GETPAGESIZE 1
#define HAVE_OPENDIR 1
#endif

/* The library is always given its resource file and dictionary folder
   (-r and -d), so the environment and the registry are never consulted. */

#define SIZEOF_CHAR 1
#define SIZEOF_SHORT 2
#define SIZEOF_INT 4
#define SIZEOF_LONG_LONG 8
#if defined(_WIN32)
#define SIZEOF_LONG 4
#else
#define SIZEOF_LONG 8
#endif
#define SIZEOF_SIZE_T 8

#endif
