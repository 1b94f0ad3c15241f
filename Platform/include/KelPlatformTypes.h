#ifndef KelPlatformTypes_h
#define KelPlatformTypes_h
// Basic values shared by the whole platform and the library.
//
// Booleans are one byte: TRUE (1) and FALSE (0). Operations of the object model return
// status codes instead: S_OK (0) on success, E_FAIL (0x80004005) on failure.

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef unsigned char KelBoolean;
typedef int HRESULT;

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);

inline bool SUCCEEDED(HRESULT iStatus) { return iStatus >= 0; }
inline bool FAILED(HRESULT iStatus) { return iStatus < 0; }

// Asks the memory for the cache line holding the address ahead of its use; a hint only.
inline void KelPrefetch(const void* iAddress)
{
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  // Volatile assembly: a loop that only asks ahead has no effect the compiler can see, and
  // GCC deletes __builtin_prefetch from such loops (all of them at -O2, some at -O3). The
  // address is passed in a register, not as a memory operand, so nothing reads it.
  asm volatile("prefetcht0 (%0)" : : "r"(iAddress));
#elif defined(__GNUC__)
  __builtin_prefetch(iAddress);
#else
  (void)iAddress;
#endif
}

#endif
