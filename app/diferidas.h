// The colour dialog and the shell, reached only from menu commands: their
// libraries are loaded the first time a command needs them, not at start-up,
// and stay loaded until exit.
#ifndef PULSAFINA_DIFERIDAS_H
#define PULSAFINA_DIFERIDAS_H

#include <windows.h>
#include <commdlg.h>

// ChooseColorA; false when the dialog could not be shown.
bool pedir_color(CHOOSECOLORA *dialogo);
// ShellExecuteA with the verb "open".
void abrir_con_el_sistema(const char *direccion, const char *carpeta, int mostrar);

#endif
