// Abuse of the real main window: a seeded stream of random messages, and a
// soak that types the whole course round and round, with the program's
// promises checked after every message and its handles and memory compared
// with their values after start-up. Used by tests/abusar.cpp (the command)
// and by the short run of the suite.
#ifndef PULSAFINA_ABUSO_H
#define PULSAFINA_ABUSO_H

#include <cstdint>

struct Abuso {
    uint64_t semilla = 1;
    long mensajes = 1000000;
    long parar = -1;           // >= 0: stop after this message and show it
    bool soak = false;         // the soak after the messages
    bool solo_soak = false;    // the soak alone
    int vueltas = 10;          // rounds of the course in the soak
};

// Runs what the options ask for in this process, printing the seed, the
// figures and, on a failure, the seed and the message's index. Starts and
// ends the main window itself. Returns true when every check held.
bool abusar(const Abuso &opciones);

#endif
