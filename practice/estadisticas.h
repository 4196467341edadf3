// The statistics pane: six figures of the practice, formatted anew at each
// update; the pane is given only the characters that changed.
#ifndef PULSAFINA_ESTADISTICAS_H
#define PULSAFINA_ESTADISTICAS_H

#include <cstddef>

// Formats the figures into texto (at least 200 bytes are enough for any).
void formatear_estadisticas(char *texto, size_t tamano);
void actualizar_estadisticas();

#endif
