// The stack protector's guard and its two reports, for MinGW builds; MSVC's
// /GS brings its own.
//
// libssp fills the guard from the cryptographic provider
// (CryptAcquireContext), which loads a provider library and reads its
// settings: about 13 ms of every start-up under Wine, for eight bytes. The
// system's random generator, which the provider itself draws on, gives the
// same bytes for nothing. Defined here, these symbols keep libssp's versions
// out of the exe.
#include "app/guarda.h"

#if defined(__MINGW32__)
#include <windows.h>
#include <ntsecapi.h>

extern "C" {

void *__stack_chk_guard = reinterpret_cast<void *>(GUARDA_SIN_SEMBRAR);

// Runs before main with the constructors, where no guarded function is on
// the stack yet to find its guard changed on return; nor is it guarded
// itself, for the same reason.
__attribute__((constructor, no_stack_protector)) static void sembrar_guarda()
{
    uintptr_t guarda = 0;
    if (!RtlGenRandom(&guarda, sizeof guarda) || guarda == 0) {
        // Without the generator, what differs from one start to the next.
        LARGE_INTEGER ahora;
        QueryPerformanceCounter(&ahora);
        guarda = reinterpret_cast<uintptr_t>(__stack_chk_guard) ^ static_cast<uintptr_t>(ahora.QuadPart) ^
                 (static_cast<uintptr_t>(GetCurrentProcessId()) << 16) ^ reinterpret_cast<uintptr_t>(&ahora);
    }
    __stack_chk_guard = reinterpret_cast<void *>(guarda);
}

// The stack or a buffer is overrun: nothing of the process can be trusted,
// so it ends at once, the way the system ends a program whose stack cookie
// is broken, without unwinding through the damaged frames.
[[noreturn]] static void terminar(const char *motivo)
{
    OutputDebugStringA(motivo);
#if defined(__x86_64__) || defined(__i386__)
    __asm__ volatile("int $0x29" : : "c"(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE) : "memory");
#endif
    __builtin_trap();
}

[[noreturn]] void __stack_chk_fail()
{
    terminar("*** stack smashing detected ***: pulsafina terminated\n");
}

[[noreturn]] void __chk_fail()
{
    terminar("*** buffer overflow detected ***: pulsafina terminated\n");
}

}
#endif
