// Abuse of the real main window: a reproducible stream of random messages, and a
// long run that types the whole course round and round, with the program's
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
    bool recorrido = false;         // the long run after the messages
    bool solo_recorrido = false;    // the long run alone
    int vueltas = 10;          // rounds of the course in the long run
};

// Runs what the options ask for in this process, printing the starting number, the
// figures and, on a failure, the starting number and the message's index. Starts and
// ends the main window itself. Returns true when every check held.
bool abusar(const Abuso &opciones);

#endif
