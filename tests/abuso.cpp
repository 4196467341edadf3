// The abuse run: random messages to the real main window, chosen by a small
// PRNG of its own so that a starting number gives the same stream in every build, and the
// program's promises checked after each one. See abuso.h.
#include "abuso.h"
#include "banco.h"
#include "app/estado.h"
#include "practice/estadisticas.h"
#include "lessons/lecciones.h"
#include "screen/rotulos.h"
#include "screen/guia.h"
#include "screen/teclas.h"
#include "options/colores.h"
#include <psapi.h>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

// --- The generator -------------------------------------------------------

// splitmix64: tiny, fast, and the same numbers on every compiler.
static uint64_t estado_azar;

static uint64_t azar()
{
    uint64_t z = (estado_azar += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

static uint32_t hasta(uint32_t n) { return (uint32_t)(azar() % n); }
static bool probabilidad(uint32_t por_mil) { return hasta(1000) < por_mil; }

// --- One message ---------------------------------------------------------

enum Via { ENVIAR, PUBLICAR, MOVER, MOSTRAR, ENFOCAR };

struct Mensaje {
    Via via;
    UINT numero;
    WPARAM w;
    LPARAM l;
};

static std::string describir(const Mensaje &m)
{
    char texto[160];
    switch (m.via) {
    case MOVER: snprintf(texto, sizeof texto, "SetWindowPos %d x %d", (int)m.w, (int)m.l); break;
    case MOSTRAR: snprintf(texto, sizeof texto, "ShowWindow %d", (int)m.w); break;
    case ENFOCAR: snprintf(texto, sizeof texto, "SetFocus %p", (void *)m.w); break;
    default:
        snprintf(texto, sizeof texto, "%s 0x%04X wParam 0x%llX lParam 0x%llX",
                 m.via == ENVIAR ? "SendMessage" : "PostMessage", m.numero,
                 (unsigned long long)m.w, (unsigned long long)m.l);
    }
    return texto;
}

// The commands that open a modal dialog (colours, letter size, about box) or
// the browser. They are drawn apart, and rarely: each costs a dialog or a
// process, far more than any other message.
static const int comandos_con_ventana[] = {
    COMANDO_COLOR_CORRECTA, COMANDO_COLOR_INCORRECTA, COMANDO_COLOR_NORMAL, COMANDO_AYUDA,
    COMANDO_AUTOR, COMANDO_TAMANIO, COMANDO_COLOR_FONDO, COMANDO_PUBLICIDAD,
};
static bool abre_ventana(int comando)
{
    for (int c : comandos_con_ventana)
        if (c == comando)
            return true;
    return false;
}

// Any child or the main window, to stand for a focus change or a control.
static HWND ventana_cualquiera()
{
    switch (hasta(8)) {
    case 0: return panel_leccion;
    case 1: return panel_estadisticas;
    case 2: return botones_leccion[hasta(BOTONES)];
    case 3: return celdas_tecla[hasta(TECLAS)];
    case 4: return ventana_principal;
    case 5: return imagen_logo;
    case 6: return nullptr;
    default: return (HWND)(uintptr_t)azar();
    }
}

// Numbers the program leaves to the platform, with parameters that carry no
// pointer: a random pointer would crash the platform's own handling, which
// proves nothing about the program. No close, quit, system command or menu
// key either: they would end the run or enter the menu's own loop.
static const UINT ajenos[] = {
    WM_NULL, WM_MOVE, WM_ACTIVATE, WM_ENABLE, WM_PAINT, WM_SHOWWINDOW, WM_ACTIVATEAPP,
    WM_CANCELMODE, WM_CHILDACTIVATE, WM_TIMECHANGE, WM_MOUSEACTIVATE, WM_ENTERIDLE,
    WM_HSCROLL, WM_VSCROLL, WM_INITMENU, WM_MENUSELECT, WM_MOUSEWHEEL, WM_MOUSEHWHEEL,
    WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_CAPTURECHANGED,
    WM_DEADCHAR, WM_UNICHAR, WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_NCMOUSEMOVE,
    WM_NCMOUSELEAVE, WM_MOUSELEAVE, WM_IME_SETCONTEXT, WM_IME_NOTIFY, WM_PALETTECHANGED,
};

// The mix, per thousand: 640 characters, 40 key presses and releases, 12
// WM_SIZE, 3 real resizes, 2 ShowWindow, 43 commands, 50 timer ticks, 50
// pointer messages, 30 focus messages, 5 real focus changes, 65 of the
// platform's messages and 60 of the application and registered ranges; one
// in ten of the messages is posted rather than sent.
static Mensaje mensaje_al_azar()
{
    Mensaje m = {ENVIAR, WM_NULL, 0, 0};
    uint32_t tipo = hasta(1000);
    if (tipo < 640) {
        // Characters: mostly the one expected, so that lessons finish; in an
        // introduction often the c that starts the practice.
        m.numero = WM_CHAR;
        unsigned char c = (unsigned char)hasta(256);
        if (practicando && posicion >= 0 && posicion < TAMANIO_TEXTO_PRACTICA && probabilidad(880))
            c = (unsigned char)texto_practica[posicion];
        else if (!practicando && probabilidad(300))
            c = 'c';
        m.w = c;
        m.l = 1 | (LPARAM)(hasta(2) << 30);
    } else if (tipo < 680) {
        // Keys, pressed and released in any order, repeated or not.
        m.numero = probabilidad(500) ? WM_KEYDOWN : WM_KEYUP;
        uint32_t cual = hasta(10);
        m.w = cual < 4 ? VK_SHIFT : cual < 7 ? VK_CAPITAL : hasta(256);
        m.l = 1 | (probabilidad(400) ? (1 << 30) : 0) | (m.numero == WM_KEYUP ? (LPARAM)(3u << 30) : 0);
        if (probabilidad(100))
            m.l = (LPARAM)(uint32_t)azar();
    } else if (tipo < 692) {
        m.numero = WM_SIZE;
        m.w = probabilidad(800) ? SIZE_RESTORED : hasta(5);
        uint32_t forma = hasta(10);
        int a, b;
        if (forma < 5) {
            a = (int)hasta(2000);
            b = (int)hasta(1500);
        } else if (forma < 8) {
            a = (int)hasta(65536);
            b = (int)hasta(65536);
        } else {
            // At the minimum's edges.
            a = 712 + (int)hasta(3);
            b = 399 + (int)hasta(3);
        }
        m.l = MAKELPARAM(a, b);
    } else if (tipo < 695) {
        m.via = MOVER;
        m.w = probabilidad(900) ? hasta(2000) : hasta(65536);
        m.l = probabilidad(900) ? hasta(1500) : hasta(65536);
    } else if (tipo < 697) {
        m.via = MOSTRAR;
        static const int como[] = {SW_MINIMIZE, SW_RESTORE, SW_MAXIMIZE, SW_SHOWNORMAL, SW_SHOW};
        m.w = como[hasta(5)];
    } else if (tipo < 740) {
        m.numero = WM_COMMAND;
        int comando = (int)hasta(100);
        while (abre_ventana(comando))
            comando = (int)hasta(100);
        if (hasta(3) == 0)
            comando = 0;
        m.w = MAKEWPARAM(comando, hasta(4) == 0 ? hasta(65536) : BN_CLICKED);
        // A lesson button rarely: it abandons the practice under way. Other
        // handles and stray values stand for no button.
        HWND otra = ventana_cualquiera();
        bool es_boton = false;
        for (HWND b : botones_leccion)
            es_boton = es_boton || b == otra;
        if (comando == 0 && probabilidad(30))
            m.l = (LPARAM)botones_leccion[hasta(BOTONES)];
        else if (probabilidad(500) && !es_boton)
            m.l = (LPARAM)otra;
        else
            m.l = (LPARAM)azar();
    } else if (tipo < 790) {
        m.numero = WM_TIMER;
        m.w = hasta(4);
    } else if (tipo < 840) {
        static const UINT raton[] = {WM_MOUSEMOVE, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                                     WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_SETCURSOR};
        m.numero = raton[hasta(7)];
        int x = probabilidad(700) ? (int)hasta(1000) : (int)hasta(65536);
        int y = probabilidad(700) ? (int)hasta(800) : (int)hasta(65536);
        m.w = hasta(4) == 0 ? MK_LBUTTON : 0;
        m.l = MAKELPARAM(x, y);
        if (m.numero == WM_SETCURSOR) {
            m.w = (WPARAM)ventana_cualquiera();
            m.l = MAKELPARAM(probabilidad(800) ? HTCLIENT : hasta(25), WM_MOUSEMOVE);
        }
    } else if (tipo < 870) {
        m.numero = probabilidad(500) ? WM_KILLFOCUS : WM_SETFOCUS;
        m.w = (WPARAM)ventana_cualquiera();
    } else if (tipo < 875) {
        m.via = ENFOCAR;
        m.w = (WPARAM)ventana_cualquiera();
        if (!IsWindow((HWND)m.w))
            m.w = (WPARAM)panel_leccion;
    } else if (tipo < 940) {
        m.numero = ajenos[hasta(sizeof ajenos / sizeof ajenos[0])];
        m.w = hasta(4) == 0 ? (WPARAM)azar() : hasta(4);
        m.l = hasta(2) ? MAKELPARAM(hasta(1000), hasta(800)) : 0;
    } else {
        // Application and registered ranges.
        m.numero = probabilidad(500) ? WM_USER + hasta(0x7FFF - WM_USER) : 0xC000 + hasta(0x4000);
        m.w = (WPARAM)azar();
        m.l = (LPARAM)azar();
    }
    if (m.via == ENVIAR && probabilidad(100))
        m.via = PUBLICAR;

    // One message in 25,000 opens a dialog or the browser.
    if (hasta(25000) == 0) {
        m = {ENVIAR, WM_COMMAND, (WPARAM)comandos_con_ventana[hasta(8)], 0};
    }
    return m;
}

// --- Dialogs and the browser ---------------------------------------------

// A modal dialog runs its own loop on this thread; a thread timer, which that
// loop dispatches like any message, cancels every dialog as soon as it shows.
static int dialogos_cerrados;
static HWND ultimo_dialogo;

static BOOL CALLBACK cancelar_dialogo(HWND candidato, LPARAM)
{
    char clase[16];
    GetClassNameA(candidato, clase, sizeof clase);
    if (strcmp(clase, "#32770") == 0 && IsWindowVisible(candidato)) {
        if (candidato != ultimo_dialogo) {
            dialogos_cerrados++;
            ultimo_dialogo = candidato;
        }
        PostMessageA(candidato, WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

static void CALLBACK vigilar_dialogos(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), cancelar_dialogo, 0);
}

// --- Handles and memory --------------------------------------------------

struct Consumo {
    DWORD gdi, user;
    SIZE_T privados;
};

// Some platforms (Wine among them) answer GetGuiResources with 0 and
// ERROR_CALL_NOT_IMPLEMENTED. There the GDI handle table that the platform
// keeps in the process (PEB.GdiSharedHandleTable, one 24-byte entry per
// handle, the type byte non-zero while it is in use) is counted instead, and
// the USER objects are counted as the thread's windows and their children.
struct EntradaGdi {
    uint64_t objeto;
    uint32_t dueno;
    uint16_t unico;
    uint8_t tipo;
    uint8_t marcas;
    uint64_t usuario;
};
const int ENTRADAS_GDI = 0x10000;

// Handles in use by type, filled by contar_gdi where it counts.
static DWORD gdi_por_tipo[32];

static DWORD contar_gdi()
{
#if defined(_M_X64) || defined(__x86_64__)
    // The PEB's address from the documented process query; its
    // GdiSharedHandleTable lies at offset 0xF8 on x64.
    typedef LONG(WINAPI * Consultar)(HANDLE, int, void *, ULONG, ULONG *);
    Consultar consultar = (Consultar)(void (*)())GetProcAddress(GetModuleHandleA("ntdll.dll"),
                                                                "NtQueryInformationProcess");
    struct { void *reservado1; uint8_t *peb; uintptr_t reservado2[4]; } basica = {};
    if (!consultar || consultar(GetCurrentProcess(), 0, &basica, sizeof basica, nullptr) != 0 || !basica.peb)
        return 0;
    EntradaGdi *tabla = *(EntradaGdi **)(basica.peb + 0xF8);
    if (!tabla)
        return 0;
    DWORD n = 0;
    memset(gdi_por_tipo, 0, sizeof gdi_por_tipo);
    for (int i = 0; i < ENTRADAS_GDI; i++)
        if (tabla[i].tipo != 0 && tabla[i].objeto != 0) {
            n++;
            HGDIOBJ h = (HGDIOBJ)(uintptr_t)(((uint32_t)tabla[i].unico << 16) | (uint32_t)i);
            gdi_por_tipo[GetObjectType(h) & 31]++;
        }
    return n;
#else
    return 0;
#endif
}

static BOOL CALLBACK contar_hija(HWND, LPARAM cuenta)
{
    (*(DWORD *)cuenta)++;
    return TRUE;
}

// EnumChildWindows walks all the descendants of a window, not only its
// children.
static BOOL CALLBACK contar_ventana(HWND ventana, LPARAM cuenta)
{
    (*(DWORD *)cuenta)++;
    EnumChildWindows(ventana, contar_hija, cuenta);
    return TRUE;
}

// Wine reports no PrivateUsage; what it stands for, the committed private
// memory, is the sum of the committed private regions of the address space.
static SIZE_T memoria_privada()
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (uint8_t *p = nullptr; VirtualQuery(p, &region, sizeof region) == sizeof region;
         p = (uint8_t *)region.BaseAddress + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        if ((uint8_t *)region.BaseAddress + region.RegionSize <= p)
            break;
    }
    return total;
}

static Consumo medir()
{
    Consumo c = {};
    SetLastError(0);
    c.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (c.gdi == 0)
        c.gdi = contar_gdi();
    SetLastError(0);
    c.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (c.user == 0) {
        DWORD n = 0;
        EnumThreadWindows(GetCurrentThreadId(), contar_ventana, (LPARAM)&n);
        c.user = n;
    }
    PROCESS_MEMORY_COUNTERS_EX memoria = {};
    memoria.cb = sizeof memoria;
    GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&memoria, sizeof memoria);
    c.privados = memoria.PrivateUsage;
    if (c.privados == 0)
        c.privados = memoria_privada();
    return c;
}

// The shell's launch of the browser leaves the platform's own buffers behind
// until the recorder it started has ended (over a MiB of them under Wine):
// the figures are read once every child of this process has ended and they
// have then stayed the same for half a second.
static Consumo medir_en_calma()
{
    esperar_procesos_hijos();
    Consumo anterior = medir();
    int iguales = 0;
    for (int intento = 0; intento < 100 && iguales < 5; intento++) {
        procesar_mensajes();
        Sleep(100);
        Consumo c = medir();
        bool igual = c.gdi == anterior.gdi && c.user == anterior.user && c.privados == anterior.privados;
        iguales = igual ? iguales + 1 : 0;
        anterior = c;
    }
    return anterior;
}

static void imprimir(const char *cuando, const Consumo &c)
{
    printf("%s: GDI %lu, USER %lu, privados %llu bytes", cuando, (unsigned long)c.gdi,
           (unsigned long)c.user, (unsigned long long)c.privados);
    bool contados = false;
    for (int t = 0; t < 32; t++)
        if (gdi_por_tipo[t]) {
            printf("%s%d:%lu", contados ? " " : " (GDI por tipo ", t, (unsigned long)gdi_por_tipo[t]);
            contados = true;
        }
    printf(contados ? ")\n" : "\n");
    fflush(stdout);
}

// The platform's own heap breathes while the window works: over a long run
// its private bytes go down as well as up, by up to a MiB from one reading
// to the next with the same state and the same handles. More than that over
// the start values is held, not breathing: a leak of a few dozen bytes per
// message comes to more over the run.
const SIZE_T RESPIRO_DEL_MONTON = 1024 * 1024;

// --- The statistics pane -------------------------------------------------

// The pane's only writer replaces its whole text with the format of the
// fields. A subclass of the pane sees every write as it happens: the text
// written must be the format of the fields at that moment, and from then on
// the pane must show exactly that text until the next write. A comparison with
// the current fields alone would fail rightly-kept old figures (a lesson
// button changes the lesson without a rewrite), and one made only after the
// messages that rewrite would miss a write from anywhere else.
static WNDPROC proc_estadisticas;
static std::string escrito;
static std::string falta_estadisticas;

static std::string sin_retornos(const std::string &texto)
{
    std::string limpio;
    for (size_t i = 0; i < texto.size(); i++) {
        if (texto[i] == '\r') {
            if (i + 1 >= texto.size() || texto[i + 1] != '\n')
                limpio += '\n';
        } else {
            limpio += texto[i];
        }
    }
    return limpio;
}

static LRESULT CALLBACK vigilar_estadisticas(HWND panel, UINT mensaje, WPARAM w, LPARAM l)
{
    if (mensaje == WM_SETTEXT) {
        char formato_actual[256];
        formatear_estadisticas(formato_actual, sizeof formato_actual);
        const char *nuevo = l ? (const char *)l : "";
        if (strcmp(nuevo, formato_actual) != 0 && falta_estadisticas.empty())
            falta_estadisticas = std::string("the statistics pane was given \"") + nuevo +
                                 "\" instead of the format of the fields, \"" + formato_actual + "\"";
        escrito = nuevo;
    }
    // A keystroke's update replaces only what changed, a piece at a time:
    // once it is done, the pane must hold the whole format of the fields.
    if (mensaje == EM_REPLACESEL) {
        char formato_actual[256];
        formatear_estadisticas(formato_actual, sizeof formato_actual);
        escrito = formato_actual;
    }
    return CallWindowProcA(proc_estadisticas, panel, mensaje, w, l);
}

// --- The checks ----------------------------------------------------------

// A window's place is held to 16 bits by the platform: a child laid out
// beyond 32767 (after a WM_SIZE of up to 65535 that no real window had) stands
// at 32767.
static int al_limite(int coordenada) { return coordenada > SHRT_MAX ? SHRT_MAX : coordenada; }

// Empty when every promise holds; otherwise what broke.
static std::string comprobar()
{
    char texto[512];
    if (!falta_estadisticas.empty())
        return falta_estadisticas;
    if (!IsWindow(ventana_principal))
        return "the main window is gone";
    if (leccion_actual < 1 || leccion_actual > NUMERO_LECCIONES) {
        snprintf(texto, sizeof texto, "leccion_actual is %d", leccion_actual);
        return texto;
    }
    if (segundos < 1) {
        snprintf(texto, sizeof texto, "segundos is %d", segundos);
        return texto;
    }
    int largo = (int)strnlen(texto_practica, TAMANIO_TEXTO_PRACTICA);
    if (practicando) {
        if (aciertos + errores != posicion || posicion + restantes != largo || posicion < 0 ||
            posicion >= largo) {
            snprintf(texto, sizeof texto,
                     "practising: aciertos %d + errores %d, posicion %ld, restantes %d, text length %d",
                     aciertos, errores, (long)posicion, restantes, largo);
            return texto;
        }
    } else if (posicion != 0) {
        snprintf(texto, sizeof texto, "an introduction is shown with posicion %ld", (long)posicion);
        return texto;
    }
    std::string pane = sin_retornos(texto_de(panel_estadisticas));
    if (pane != escrito)
        return "the statistics pane shows \"" + pane + "\", not its last text \"" + escrito + "\"";

    // The key cells: one whole label set, the one in force, each cell on the
    // key of its label, every key covered once.
    const unsigned char *juego = minusculas ? rotulos_minusculas : rotulos_mayusculas;
    POINT origen = {0, 0};
    ClientToScreen(ventana_principal, &origen);
    uint64_t cubiertas = 0;
    for (int i = 0; i < TECLAS; i++) {
        char rotulo[4] = "";
        GetWindowTextA(celdas_tecla[i], rotulo, sizeof rotulo);
        if ((unsigned char)rotulo[0] != juego[i] || rotulo[1] != 0) {
            snprintf(texto, sizeof texto, "cell %d shows \"%s\", not '%c' of the %s set", i, rotulo, juego[i],
                     minusculas ? "lower-case" : "upper-case");
            return texto;
        }
        const Tecla *tecla = buscar_tecla(juego[i]);
        RECT r;
        GetWindowRect(celdas_tecla[i], &r);
        OffsetRect(&r, -origen.x, -origen.y);
        if (!tecla || r.left != al_limite(teclado_x + tecla->x) || r.top != al_limite(teclado_y + tecla->y) ||
            r.right - r.left != ANCHO_TECLA || r.bottom - r.top != ALTO_TECLA) {
            snprintf(texto, sizeof texto, "cell %d ('%c') lies at %ld,%ld %ldx%ld, not on its key", i, juego[i],
                     r.left, r.top, r.right - r.left, r.bottom - r.top);
            return texto;
        }
        // The key table is a constant of its header: each file has its own
        // copy, so the key is found by its character, not by its address.
        for (int k = 0; k < TECLAS_ROTULADAS; k++)
            if (tabla_teclas[k].minuscula == tecla->minuscula)
                cubiertas |= 1ull << k;
    }
    if (cubiertas != (1ull << TECLAS) - 1) {
        snprintf(texto, sizeof texto, "the cells cover the keys %llx, not all 44", (unsigned long long)cubiertas);
        return texto;
    }
    return "";
}

// --- Running ---------------------------------------------------------------

static uint64_t semilla_en_curso;
static long mensajes_en_curso;
static bool en_recorrido;
static volatile long indice_en_curso = -1;
static volatile LONGLONG inicio_en_curso;
static LARGE_INTEGER frecuencia;

static LONGLONG ahora()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

// How to replay a failure. The stream depends on the number of messages too
// (the start values are taken again after a tenth of them, from the start
// state). The long run has no --hasta: its messages follow from the starting number and the
// number of messages before it, and the whole command repeats it.
static void repetir(long indice)
{
    if (en_recorrido)
        printf("Repetir: bash tools/abusar.sh --semilla %llu --mensajes %ld (the long run, after its messages)\n",
               (unsigned long long)semilla_en_curso, mensajes_en_curso);
    else
        printf("Repetir: bash tools/abusar.sh --semilla %llu --mensajes %ld --hasta %ld\n",
               (unsigned long long)semilla_en_curso, mensajes_en_curso, indice);
    fflush(stdout);
}

// A message that never returns cannot be timed after the fact: a watchdog
// thread ends the run, naming it, once it has run for 30 s.
static DWORD WINAPI vigilar_cuelgue(void *)
{
    for (;;) {
        Sleep(1000);
        LONGLONG empezado = inicio_en_curso;
        if (empezado && (ahora() - empezado) / frecuencia.QuadPart > 30) {
            printf("\nFALLO: semilla %llu, mensaje %ld: no answer in 30 s (hang)\n",
                   (unsigned long long)semilla_en_curso, indice_en_curso);
            repetir(indice_en_curso);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}

static LONG CALLBACK vigilar_excepcion(EXCEPTION_POINTERS *excepcion)
{
    DWORD codigo = excepcion->ExceptionRecord->ExceptionCode;
    if (codigo == EXCEPTION_ACCESS_VIOLATION || codigo == EXCEPTION_INT_DIVIDE_BY_ZERO ||
        codigo == EXCEPTION_ILLEGAL_INSTRUCTION || codigo == EXCEPTION_STACK_OVERFLOW ||
        codigo == EXCEPTION_ARRAY_BOUNDS_EXCEEDED || codigo == STATUS_STACK_BUFFER_OVERRUN) {
        printf("\nFALLO: semilla %llu, mensaje %ld: exception 0x%08lX at %p\n",
               (unsigned long long)semilla_en_curso, indice_en_curso, codigo,
               excepcion->ExceptionRecord->ExceptionAddress);
        repetir(indice_en_curso);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Where the time goes, by kind of message.
static const char *const clases[] = {"WM_CHAR", "teclas", "WM_SIZE", "SetWindowPos", "ShowWindow",
                                     "WM_COMMAND", "WM_TIMER", "raton", "foco", "otros"};
static double tiempo_por_clase[10];
static long cuenta_por_clase[10];

static int clase_de(const Mensaje &m)
{
    if (m.via == MOVER) return 3;
    if (m.via == MOSTRAR) return 4;
    if (m.via == ENFOCAR) return 8;
    switch (m.numero) {
    case WM_CHAR: return 0;
    case WM_KEYDOWN: case WM_KEYUP: return 1;
    case WM_SIZE: return 2;
    case WM_COMMAND: return 5;
    case WM_TIMER: return 6;
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_SETCURSOR: return 7;
    case WM_KILLFOCUS: case WM_SETFOCUS: return 8;
    }
    return 9;
}

const int MENSAJES_POR_VACIADO = 50;

static void enviar(HWND ventana, const Mensaje &m)
{
    switch (m.via) {
    case ENVIAR: SendMessageA(ventana, m.numero, m.w, m.l); break;
    case PUBLICAR: PostMessageA(ventana, m.numero, m.w, m.l); break;
    case MOVER:
        SetWindowPos(ventana, nullptr, 0, 0, (int)m.w, (int)m.l, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case MOSTRAR: ShowWindow(ventana, (int)m.w); break;
    case ENFOCAR: SetFocus((HWND)m.w); break;
    }
    // The queue (posted messages, paints, the timers) is emptied after what
    // goes through it and otherwise every few messages, as a busy program
    // paints only when its queue runs dry: a paint after every message would
    // measure the painting, not the handling. A check after a message that
    // left its effect in the queue fails at the emptying, and --hasta names it.
    static int sin_vaciar;
    if (m.via != ENVIAR || ++sin_vaciar >= MENSAJES_POR_VACIADO) {
        sin_vaciar = 0;
        procesar_mensajes();
    }
}

static void mostrar_estado(const char *cuando)
{
    printf("  %s: leccion_actual %d, practicando %d, posicion %ld, aciertos %d, errores %d, restantes %d, "
           "segundos %d, minusculas %d, ancho %d, alto %d\n",
           cuando, leccion_actual, practicando, (long)posicion, aciertos, errores, restantes, segundos,
           minusculas, ancho, alto);
}

// Sends one message, times it and checks. False on a failure, already told.
static bool paso(HWND ventana, const Mensaje &m, long indice, double *segundos_peor)
{
    indice_en_curso = indice;
    LONGLONG t0 = ahora();
    inicio_en_curso = t0;
    enviar(ventana, m);
    inicio_en_curso = 0;
    double tardanza = (double)(ahora() - t0) / frecuencia.QuadPart;
    if (tardanza > *segundos_peor)
        *segundos_peor = tardanza;
    tiempo_por_clase[clase_de(m)] += tardanza;
    cuenta_por_clase[clase_de(m)]++;
    std::string falta = comprobar();
    if (falta.empty() && tardanza > 1.0) {
        char texto[64];
        snprintf(texto, sizeof texto, "the message took %.2f s", tardanza);
        falta = texto;
    }
    if (falta.empty())
        return true;
    printf("\nFALLO: semilla %llu, mensaje %ld (%s): %s\n", (unsigned long long)semilla_en_curso, indice,
           describir(m).c_str(), falta.c_str());
    mostrar_estado("after it");
    repetir(indice);
    return false;
}

static void quitar_dialogos(UINT_PTR vigia) { KillTimer(nullptr, vigia); }

// Types the rest of the current practice (starting it with c if needed), one
// keystroke in por_mil_bien right and the others wrong; with alternar, right
// and wrong by turns instead.
static bool teclear_leccion(HWND ventana, uint32_t por_mil_bien, long *indice, double *peor, bool alternar = false)
{
    if (!practicando && !paso(ventana, {ENVIAR, WM_CHAR, 'c', 1}, (*indice)++, peor))
        return false;
    int leccion = leccion_actual;
    while (practicando && leccion_actual == leccion) {
        unsigned char c = (unsigned char)texto_practica[posicion];
        bool bien = alternar ? posicion % 2 == 0 : probabilidad(por_mil_bien);
        if (!bien)
            c = (unsigned char)(c == 'x' ? 'y' : 'x');
        if (!paso(ventana, {ENVIAR, WM_CHAR, c, 1}, (*indice)++, peor))
            return false;
    }
    return true;
}

// Brings the window back to a state as like as possible to the one measured
// after the warm-up: lesson 1's introduction, the lower-case labels, the
// start-up size, no dialog.
static bool volver_al_principio(HWND ventana, long *indice, double *peor)
{
    if (!minusculas && !paso(ventana, {ENVIAR, WM_KEYDOWN, VK_CAPITAL, 1}, (*indice)++, peor))
        return false;
    if (!paso(ventana, {MOSTRAR, 0, SW_RESTORE, 0}, (*indice)++, peor) ||
        !paso(ventana, {MOVER, 0, 730, 500}, (*indice)++, peor) ||
        !paso(ventana, {ENVIAR, WM_COMMAND, 0, (LPARAM)botones_leccion[0]}, (*indice)++, peor))
        return false;
    SetFocus(ventana);
    procesar_mensajes();
    return true;
}

// What start-up and the first use leave behind for good is taken before the
// start values: the colour dialog's and the shell's libraries, loaded at their
// first command; the X cursors that the platform makes at the first use of the
// hand and of the frame's sizing pointers (bitmaps under Wine); the heap of
// the rich-text pane, grown to the longest practice text in runs of one
// character (the platform's heap keeps the 64 KiB steps it commits); the
// window's surface at other sizes and states. So the warm-up opens every
// dialog and the browser, points at the banner and clicks it, shows every
// lesson's practice, types the longest through, shows both label sets,
// resizes, minimises and maximises.
static bool calentar(HWND ventana, long *indice, double *peor)
{
    for (int comando : comandos_con_ventana)
        if (!paso(ventana, {ENVIAR, WM_COMMAND, (WPARAM)comando, 0}, (*indice)++, peor))
            return false;
    LPARAM en_el_logo = MAKELPARAM(logo_x + 10, 30), fuera = MAKELPARAM(5, 5);
    LPARAM movimiento = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    const Mensaje puntero[] = {
        {ENVIAR, WM_MOUSEMOVE, 0, en_el_logo}, {ENVIAR, WM_SETCURSOR, (WPARAM)ventana, movimiento},
        {ENVIAR, WM_LBUTTONDOWN, MK_LBUTTON, en_el_logo}, {ENVIAR, WM_LBUTTONUP, 0, en_el_logo},
        {ENVIAR, WM_MOUSEMOVE, 0, fuera}, {ENVIAR, WM_SETCURSOR, (WPARAM)ventana, movimiento},
        {MOSTRAR, 0, SW_MINIMIZE, 0}, {MOSTRAR, 0, SW_MAXIMIZE, 0}, {MOSTRAR, 0, SW_RESTORE, 0},
    };
    for (const Mensaje &m : puntero)
        if (!paso(ventana, m, (*indice)++, peor))
            return false;
    // The platform's own pointer for every zone of the frame, loaded once.
    for (int zona = 0; zona < 25; zona++)
        if (!paso(ventana, {ENVIAR, WM_SETCURSOR, (WPARAM)ventana, MAKELPARAM(zona, WM_MOUSEMOVE)}, (*indice)++, peor))
            return false;
    for (HWND boton : botones_leccion)
        if (!paso(ventana, {ENVIAR, WM_COMMAND, 0, (LPARAM)boton}, (*indice)++, peor) ||
            !paso(ventana, {ENVIAR, WM_CHAR, 'c', 1}, (*indice)++, peor) ||
            !paso(ventana, {ENVIAR, WM_CHAR, 'x', 1}, (*indice)++, peor))
            return false;
    // The longest practice, typed right and wrong by turns: every character
    // its own run of colour, the most that the pane ever holds.
    int mas_larga = 0;
    for (int n = 1; n < NUMERO_LECCIONES; n++)
        if (strlen(lecciones[n].practica) > strlen(lecciones[mas_larga].practica))
            mas_larga = n;
    if (!paso(ventana, {ENVIAR, WM_COMMAND, 0, (LPARAM)botones_leccion[mas_larga]}, (*indice)++, peor) ||
        !teclear_leccion(ventana, 0, indice, peor, true) ||
        !paso(ventana, {ENVIAR, WM_KEYDOWN, VK_SHIFT, 1}, (*indice)++, peor) ||
        !paso(ventana, {ENVIAR, WM_KEYUP, VK_SHIFT, 0xC0000001}, (*indice)++, peor) ||
        !paso(ventana, {MOVER, 0, 900, 700}, (*indice)++, peor))
        return false;
    return volver_al_principio(ventana, indice, peor);
}

static bool comparar(const char *cuando, const Consumo &inicio, const Consumo &ahora_mismo)
{
    imprimir(cuando, ahora_mismo);
    if (ahora_mismo.gdi > inicio.gdi || ahora_mismo.user > inicio.user ||
        ahora_mismo.privados > inicio.privados + RESPIRO_DEL_MONTON) {
        printf("FALLO: semilla %llu: more held than after start-up (GDI %lu -> %lu, USER %lu -> %lu, "
               "privados %llu -> %llu)\n",
               (unsigned long long)semilla_en_curso, (unsigned long)inicio.gdi, (unsigned long)ahora_mismo.gdi,
               (unsigned long)inicio.user, (unsigned long)ahora_mismo.user, (unsigned long long)inicio.privados,
               (unsigned long long)ahora_mismo.privados);
        return false;
    }
    return true;
}

static bool ronda_recorrido(HWND ventana, long *indice, double *peor)
{
    for (int n = 0; n < NUMERO_LECCIONES; n++) {
        int antes = leccion_actual;
        if (!teclear_leccion(ventana, 800, indice, peor))
            return false;
        int despues = antes == NUMERO_LECCIONES ? 1 : antes + 1;
        if (leccion_actual != despues) {
            printf("FALLO: semilla %llu, mensaje %ld: lesson %d was followed by %d\n",
                   (unsigned long long)semilla_en_curso, *indice - 1, antes, leccion_actual);
            return false;
        }
        // A relabel and a resize between lessons.
        WPARAM tecla = n % 2 ? VK_SHIFT : VK_CAPITAL;
        Mensaje redimension = {MOVER, 0, 740 + hasta(600), 520 + hasta(400)};
        if (!paso(ventana, {ENVIAR, WM_KEYDOWN, tecla, 1}, (*indice)++, peor) ||
            !paso(ventana, {ENVIAR, WM_KEYUP, tecla, 0xC0000001}, (*indice)++, peor) ||
            !paso(ventana, redimension, (*indice)++, peor))
            return false;
    }
    int vistos = dialogos_cerrados;
    for (int comando : comandos_con_ventana)
        if (!paso(ventana, {ENVIAR, WM_COMMAND, (WPARAM)comando, 0}, (*indice)++, peor))
            return false;
    // Six of the eight commands show a dialog; the other two, the browser.
    if (dialogos_cerrados - vistos != 6) {
        printf("FALLO: semilla %llu: %d dialogs shown in a round, not 6\n", (unsigned long long)semilla_en_curso,
               dialogos_cerrados - vistos);
        return false;
    }
    return volver_al_principio(ventana, indice, peor);
}

bool abusar(const Abuso &opciones)
{
    QueryPerformanceFrequency(&frecuencia);
    semilla_en_curso = opciones.semilla;
    mensajes_en_curso = opciones.solo_recorrido ? 0 : opciones.mensajes;
    en_recorrido = false;
    estado_azar = opciones.semilla;
    printf("Semilla %llu\n", (unsigned long long)opciones.semilla);
    fflush(stdout);

    // The browser of the test prefix is the address recorder; a real browser
    // would open hundreds of windows.
    char manejador[MAX_PATH * 2] = "";
    LONG largo = sizeof manejador;
    RegQueryValueA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", manejador, &largo);
    if (!strstr(manejador, "anotar_direccion.exe")) {
        printf("FALLO: web addresses would open a real browser (%s): run under tools/abusar.sh\n", manejador);
        return false;
    }
    char ruta[MAX_PATH];
    GetTempPathA(sizeof ruta, ruta);
    std::string direcciones = std::string(ruta) + "pulsafina_abuso_" + std::to_string(GetCurrentProcessId()) + ".txt";
    SetEnvironmentVariableA("PULSAFINA_DIRECCIONES", direcciones.c_str());

    PVOID manejador_excepciones = AddVectoredExceptionHandler(1, vigilar_excepcion);
    HANDLE vigia_cuelgue = CreateThread(nullptr, 0, vigilar_cuelgue, nullptr, 0, nullptr);

    HWND ventana = arrancar();
    bool bien = ventana != nullptr;
    if (!bien)
        printf("FALLO: the main window was not created\n");
    UINT_PTR vigia = SetTimer(nullptr, 0, 10, vigilar_dialogos);
    if (bien) {
        escrito = sin_retornos(texto_de(panel_estadisticas));
        proc_estadisticas = (WNDPROC)SetWindowLongPtrA(panel_estadisticas, GWLP_WNDPROC,
                                                       (LONG_PTR)vigilar_estadisticas);
        SetFocus(ventana);
    }
    double peor = 0;
    long indice = 0;
    if (bien) {
        std::string falta = comprobar();
        if (!falta.empty()) {
            printf("FALLO: after start-up: %s\n", falta.c_str());
            bien = false;
        }
    }
    bien = bien && calentar(ventana, &indice, &peor);
    Consumo inicio = medir_en_calma();
    if (bien)
        imprimir("Tras el arranque y el calentamiento", inicio);

    // The random messages. Their indices count from the first random one, so
    // that --hasta names the same message whatever the warm-up takes.
    if (bien && !opciones.solo_recorrido) {
        LONGLONG t0 = ahora();
        int vueltas_del_curso = 0, lecciones_acabadas = 0;
        long total = opciones.parar >= 0 ? opciones.parar + 1 : opciones.mensajes;
        for (long i = 0; i < total && bien; i++) {
            Mensaje m = mensaje_al_azar();
            if (i == opciones.parar) {
                printf("Mensaje %ld: %s\n", i, describir(m).c_str());
                mostrar_estado("before it");
            }
            // The platform gives back part of what the warm-up left (1.6 MiB
            // under Wine, the heap the rich-text pane used for the runs of
            // colour) only over the messages that follow; the start values
            // are taken again after the first tenth of them, from the same
            // state as the warm-up leaves, so that the end is compared with
            // what the program holds in use, not with that surplus.
            if (i == opciones.mensajes / 10) {
                bien = volver_al_principio(ventana, &indice, &peor);
                inicio = medir_en_calma();
                if (bien)
                    imprimir("Tras la primera decima de los mensajes", inicio);
            }
            bool practicaba = practicando;
            int anterior = leccion_actual;
            bien = paso(ventana, m, i, &peor);
            // A finished practice: its last keystroke ends it with nothing left.
            if (practicaba && !practicando && restantes == 0 && m.numero == WM_CHAR) {
                lecciones_acabadas++;
                if (anterior == NUMERO_LECCIONES && leccion_actual == 1)
                    vueltas_del_curso++;
            }
            if (bien && i == opciones.parar) {
                mostrar_estado("after it");
                printf("Parado tras el mensaje %ld: every check held\n", i);
            }
            if (bien && total >= 10 && (i + 1) % (total / 10) == 0) {
                char cuando[48];
                snprintf(cuando, sizeof cuando, "  %ld mensajes", i + 1);
                imprimir(cuando, medir());
            }
        }
        double duracion = (double)(ahora() - t0) / frecuencia.QuadPart;
        printf("%ld mensajes en %.1f s: %.0f mensajes por segundo; el más lento %.3f s\n", total, duracion,
               total / duracion, peor);
        for (int k = 0; k < 10; k++)
            printf("  %-13s %8ld mensajes, %7.1f s\n", clases[k], cuenta_por_clase[k], tiempo_por_clase[k]);
        printf("Lecciones acabadas %d, vueltas del curso (de la 20 a la 1) %d, dialogos cerrados %d\n",
               lecciones_acabadas, vueltas_del_curso, dialogos_cerrados);
        fflush(stdout);
        if (bien && opciones.parar < 0) {
            bien = volver_al_principio(ventana, &indice, &peor) && comparar("Tras los mensajes", inicio, medir_en_calma());
        }
    }

    if (bien && (opciones.recorrido || opciones.solo_recorrido) && opciones.parar < 0) {
        printf("Recorrido: %d vueltas al curso\n", opciones.vueltas);
        en_recorrido = true;
        // The first round is held to the start values; as after the warm-up,
        // the platform may give back some of it later, so each later round
        // is held to the values after the first.
        Consumo referencia = inicio;
        for (int r = 1; r <= opciones.vueltas && bien; r++) {
            bien = ronda_recorrido(ventana, &indice, &peor);
            char cuando[32];
            snprintf(cuando, sizeof cuando, "Vuelta %d", r);
            Consumo ahora_mismo = medir_en_calma();
            bien = bien && comparar(cuando, referencia, ahora_mismo);
            if (r == 1)
                referencia = ahora_mismo;
        }
    }

    quitar_dialogos(vigia);
    if (ventana && IsWindow(panel_estadisticas))
        SetWindowLongPtrA(panel_estadisticas, GWLP_WNDPROC, (LONG_PTR)proc_estadisticas);
    cerrar(ventana);
    TerminateThread(vigia_cuelgue, 0);
    CloseHandle(vigia_cuelgue);
    RemoveVectoredExceptionHandler(manejador_excepciones);
    DeleteFileA(direcciones.c_str());
    printf(bien ? "Todo en orden\n" : "Con fallos\n");
    fflush(stdout);
    return bien;
}
