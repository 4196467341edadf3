// The stack protector's guard (MinGW builds): drawn at every start from the
// system's random generator, before main.
#ifndef PULSAFINA_GUARDA_H
#define PULSAFINA_GUARDA_H
#include <cstdint>

// What the guard holds until it is drawn.
const uintptr_t GUARDA_SIN_SEMBRAR = static_cast<uintptr_t>(0x2F9E4C17D5A3B861ull);

#if defined(__MINGW32__)
extern "C" void *__stack_chk_guard;
#endif

#endif
