#include "banco.h"
#include "app/ventana.h"
#include "app/estado.h"
#include <richedit.h>
#include <tlhelp32.h>

HWND arrancar()
{
    HWND ventana = crear_ventana_principal(GetModuleHandleA(nullptr));
    if (ventana) {
        ShowWindow(ventana, SW_SHOW);
        procesar_mensajes();
    }
    return ventana;
}

void cerrar(HWND ventana)
{
    if (IsWindow(ventana))
        DestroyWindow(ventana);
    procesar_mensajes();
    liberar_recursos();
}

void Ventana::SetUp()
{
    ventana = arrancar();
    ASSERT_NE(ventana, nullptr);
}

void Ventana::TearDown()
{
    cerrar(ventana);
}

void procesar_mensajes()
{
    MSG mensaje;
    while (PeekMessageA(&mensaje, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&mensaje);
        DispatchMessageA(&mensaje);
    }
}

void escribir_caracter(HWND ventana, unsigned char c)
{
    SendMessageA(ventana, WM_CHAR, c, 1);
}

void escribir(HWND ventana, const char *texto)
{
    for (const char *p = texto; *p; p++)
        escribir_caracter(ventana, (unsigned char)*p);
}

std::string texto_de(HWND control)
{
    char texto[4096];
    int n = GetWindowTextA(control, texto, sizeof texto);
    return std::string(texto, n > 0 ? n : 0);
}

std::string texto_plano(HWND control)
{
    std::string texto;
    for (char c : texto_de(control))
        if (c != '\r')
            texto += c;
    return texto;
}

COLORREF color_en(int indice)
{
    CHARRANGE rango = {indice, indice + 1};
    SendMessageA(panel_leccion, EM_EXSETSEL, 0, (LPARAM)&rango);
    CHARFORMATA leido = {};
    leido.cbSize = sizeof leido;
    SendMessageA(panel_leccion, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&leido);
    return leido.crTextColor;
}

RECT rectangulo_de(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), (POINT *)&r, 2);
    return r;
}

void redimensionar(HWND ventana, int ancho_cliente, int alto_cliente)
{
    SendMessageA(ventana, WM_SIZE, SIZE_RESTORED, MAKELPARAM(ancho_cliente, alto_cliente));
}

std::string esperar_procesos_hijos()
{
    std::string sin_terminar;
    HANDLE procesos = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 proceso = {};
    proceso.dwSize = sizeof proceso;
    for (BOOL hay = Process32First(procesos, &proceso); hay; hay = Process32Next(procesos, &proceso)) {
        HANDLE hijo = proceso.th32ParentProcessID == GetCurrentProcessId()
                          ? OpenProcess(SYNCHRONIZE, FALSE, proceso.th32ProcessID) : nullptr;
        if (hijo) {
            if (WaitForSingleObject(hijo, 30000) != WAIT_OBJECT_0 && sin_terminar.empty())
                sin_terminar = proceso.szExeFile;
            CloseHandle(hijo);
        }
    }
    CloseHandle(procesos);
    return sin_terminar;
}
