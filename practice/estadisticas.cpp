#include "practice/estadisticas.h"
#include "app/estado.h"
#include <cstdio>

void formatear_estadisticas(char *texto, size_t tamano)
{
    // Windows-1252: \372 is u acute, \363 o acute.
    snprintf(texto, tamano,
             "\n N\372mero de Errores : %d \n\n N\372mero de Aciertos : %d"
             "\n\n Pulsaciones por segundo : %f\n\n Puntuaci\363n : %f"
             "\n\n Caracteres restantes : %d\n\n Lecci\363n n\372mero %d",
             errores, aciertos, (double)pulsaciones, (double)puntuacion,
             restantes, leccion_actual);
}

void actualizar_estadisticas()
{
    char texto[256];
    formatear_estadisticas(texto, sizeof texto);
    SetWindowTextA(panel_estadisticas, texto);
}
