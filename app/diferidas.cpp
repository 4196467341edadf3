#include "app/diferidas.h"

static HMODULE modulo_dialogos, modulo_shell;

// The cast goes through a plain function type, which the compiler accepts
// for any function-pointer conversion.
template <class Funcion>
static Funcion buscar(HMODULE &modulo, const char *biblioteca, const char *nombre)
{
    if (!modulo)
        modulo = LoadLibraryA(biblioteca);
    if (!modulo)
        return nullptr;
    return reinterpret_cast<Funcion>(reinterpret_cast<void (*)()>(GetProcAddress(modulo, nombre)));
}

bool pedir_color(CHOOSECOLORA *dialogo)
{
    typedef BOOL(WINAPI * Elegir)(CHOOSECOLORA *);
    Elegir elegir = buscar<Elegir>(modulo_dialogos, "comdlg32.dll", "ChooseColorA");
    return elegir && elegir(dialogo);
}

void abrir_con_el_sistema(const char *direccion, const char *carpeta, int mostrar)
{
    typedef HINSTANCE(WINAPI * Abrir)(HWND, const char *, const char *, const char *, const char *, int);
    Abrir abrir = buscar<Abrir>(modulo_shell, "shell32.dll", "ShellExecuteA");
    if (abrir)
        abrir(nullptr, "open", direccion, nullptr, carpeta, mostrar);
}
