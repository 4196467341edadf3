#include "practice/estadisticas.h"
#include "app/estado.h"
#include "app/paneles.h"
#include <richedit.h>
#include <cstdio>
#include <cstring>

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

const size_t TAMANIO_ESTADISTICAS = 256;

// The text last written to the pane, as the pane holds it.
static char escrito[TAMANIO_ESTADISTICAS];

static LONG largo_del_panel()
{
    GETTEXTLENGTHEX como = {GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    return (LONG)SendMessageA(panel_estadisticas, EM_GETTEXTLENGTHEX, (WPARAM)&como, 0);
}

// The pane lays out and repaints every paragraph that its text replaces, and
// each keystroke changes three or four figures of six: only what changed in
// each line is replaced, from its first differing character to the line's
// end. The pane keeps each line break as one character, so the offsets in the
// text are the pane's own.
static void reemplazar_cambios(const char *antes, const char *ahora)
{
    LONG cp = 0;
    for (;;) {
        size_t largo_antes = strcspn(antes, "\n"), largo_ahora = strcspn(ahora, "\n");
        size_t comun = 0;
        while (comun < largo_antes && comun < largo_ahora && antes[comun] == ahora[comun])
            comun++;
        if (comun < largo_antes || comun < largo_ahora) {
            char nuevo[TAMANIO_ESTADISTICAS];
            size_t n = largo_ahora - comun;
            memcpy(nuevo, ahora + comun, n);
            nuevo[n] = '\0';
            CHARRANGE tramo = {cp + (LONG)comun, cp + (LONG)largo_antes};
            SendMessageA(panel_estadisticas, EM_EXSETSEL, 0, (LPARAM)&tramo);
            SendMessageA(panel_estadisticas, EM_REPLACESEL, FALSE, (LPARAM)nuevo);
        }
        cp += (LONG)largo_ahora + 1;
        if (!antes[largo_antes] || !ahora[largo_ahora])
            break;
        antes += largo_antes + 1;
        ahora += largo_ahora + 1;
    }
}

// Both texts have the same number of lines, as every text of the format has.
// Anything else in the pane than the text last written (a new pane, or one
// written to from outside) is replaced whole.
void actualizar_estadisticas()
{
    char texto[TAMANIO_ESTADISTICAS];
    formatear_estadisticas(texto, sizeof texto);
    bool habia_pendiente = espera_pintura(panel_estadisticas, nullptr);
    if (escrito[0] && largo_del_panel() == (LONG)strlen(escrito))
        reemplazar_cambios(escrito, texto);
    else
        SetWindowTextA(panel_estadisticas, texto);
    snprintf(escrito, sizeof escrito, "%s", texto);
    if (!habia_pendiente)
        pintar_panel(panel_estadisticas);
}
