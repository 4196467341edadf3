// Start-up, the message dispatch and the whole process from outside.
#include "banco.h"
#include "app/estado.h"
#include "app/guarda.h"
#include "app/ventana.h"
#include "lessons/lecciones.h"
#include "practice/estadisticas.h"
#include "screen/teclas.h"
#include <string>
#include <utility>
#include <vector>
#include <cstdio>
#include <cstring>

TEST_F(Ventana, ArrancaEnLaLeccionUnoConLasCifrasACero)
{
    char titulo[64];
    GetWindowTextA(ventana, titulo, sizeof titulo);
    EXPECT_STREQ(titulo, "Pulsafina - Norvedo Software");
    char clase[32];
    GetClassNameA(ventana, clase, sizeof clase);
    EXPECT_STREQ(clase, "ventana");
    EXPECT_TRUE(GetClassLongPtrA(ventana, GCL_STYLE) & CS_DBLCLKS);
    EXPECT_NE(GetMenu(ventana), nullptr);
    EXPECT_NE(GetClassLongPtrA(ventana, GCLP_HICON), 0u);

    EXPECT_EQ(texto_plano(panel_leccion), lecciones[0].introduccion);
    // shown from its first line
    EXPECT_EQ(GetScrollPos(panel_leccion, SB_VERT), 0);
    EXPECT_EQ(texto_plano(panel_estadisticas),
              "\n N\372mero de Errores : 0 \n\n N\372mero de Aciertos : 0\n\n Pulsaciones por segundo : 0.000000"
              "\n\n Puntuaci\363n : 0.000000\n\n Caracteres restantes : 0\n\n Lecci\363n n\372mero 1");
    EXPECT_EQ(leccion_actual, 1);
    EXPECT_FALSE(practicando);
    EXPECT_EQ(segundos, 1);
    EXPECT_EQ(tamanio, 10);
    EXPECT_EQ(color_correcta, 0x0000FF00u);
    EXPECT_EQ(color_incorrecta, 0x000000FFu);
    EXPECT_EQ(color_normal, 0u);
    EXPECT_EQ(color_fondo, 0x00FFFFFFu);
    EXPECT_EQ(color_en(0), color_normal);

    // Each picture shows its own bitmap.
    const struct {
        HWND imagen;
        int ancho, alto;
    } dibujos[] = {
        {imagen_teclado, ANCHO_TECLADO, ALTO_TECLADO}, {imagen_manos, ANCHO_MANOS, ALTO_MANOS},
        {imagen_logo, ANCHO_LOGO, ALTO_LOGO},          {imagen_tecla, ANCHO_MARCA, ALTO_MARCA},
        {imagen_flecha, ANCHO_FLECHA, ALTO_FLECHA},
    };
    for (const auto &d : dibujos) {
        BITMAP bm = {};
        HGDIOBJ dibujo = reinterpret_cast<HGDIOBJ>(SendMessageA(d.imagen, STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_EQ(GetObjectA(dibujo, sizeof bm, &bm), (int)sizeof bm);
        EXPECT_EQ(bm.bmWidth, d.ancho);
        EXPECT_EQ(bm.bmHeight, d.alto);
    }
}

TEST_F(Ventana, ElTemporizadorSoloCuentaLosTicsDelUno)
{
    SendMessageA(ventana, WM_TIMER, 1, 0);
    SendMessageA(ventana, WM_TIMER, 1, 0);
    EXPECT_EQ(segundos, 3);
    SendMessageA(ventana, WM_TIMER, 2, 0);
    SendMessageA(ventana, WM_TIMER, 0, 0);
    EXPECT_EQ(segundos, 3);
    // The real timer is running too: its tick arrives within a few seconds.
    DWORD inicio = GetTickCount();
    while (segundos == 3 && GetTickCount() - inicio < 5000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        procesar_mensajes();
    }
    EXPECT_EQ(segundos, 4);
}

TEST_F(Ventana, MensajesExtraniosNoCambianNada)
{
    escribir(ventana, "c");
    escribir(ventana, "as");
    std::string estadisticas = texto_plano(panel_estadisticas);
    std::string leccion = texto_de(panel_leccion);
    SendMessageA(ventana, WM_COMMAND, 0, (LPARAM)ventana);
    SendMessageA(ventana, WM_COMMAND, 0, 0);
    SendMessageA(ventana, WM_COMMAND, MAKEWPARAM(9, 0), 0);
    SendMessageA(ventana, WM_COMMAND, MAKEWPARAM(0xFFFF, 0xFFFF), (LPARAM)panel_leccion);
    SendMessageA(ventana, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(leccion_actual, 1);
    EXPECT_TRUE(practicando);
    EXPECT_EQ(posicion, 2);
    EXPECT_EQ(aciertos, 2);
    EXPECT_EQ(texto_plano(panel_estadisticas), estadisticas);
    EXPECT_EQ(texto_de(panel_leccion), leccion);
}

TEST_F(Ventana, CerrarTerminaElBucleConCodigoCeroYOtroArranqueEmpiezaDeCero)
{
    SendMessageA(botones_leccion[6], BM_CLICK, 0, 0);
    escribir(ventana, "cxz");
    SendMessageA(ventana, WM_KEYDOWN, VK_CAPITAL, 1);
    color_correcta = 0x123456;
    tamanio = 30;
    SendMessageA(ventana, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(ventana));
    MSG mensaje;
    ASSERT_TRUE(PeekMessageA(&mensaje, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(mensaje.wParam, 0u);

    // A second run in the same process starts as the first one did.
    cerrar(ventana);
    ventana = arrancar();
    ASSERT_NE(ventana, nullptr);
    EXPECT_EQ(leccion_actual, 1);
    EXPECT_FALSE(practicando);
    EXPECT_EQ(errores, 0);
    EXPECT_EQ(segundos, 1);
    EXPECT_EQ(color_correcta, 0x0000FF00u);
    EXPECT_EQ(tamanio, 10);
    EXPECT_TRUE(minusculas);
    EXPECT_EQ(texto_plano(panel_leccion), lecciones[0].introduccion);
    EXPECT_EQ(texto_de(celdas_tecla[10]), "a");
}

static std::string ruta_del_programa()
{
    std::string ruta = RUTA_PULSAFINA;
    // Under Wine a Unix path lies on drive Z:.
    if (!ruta.empty() && ruta[0] == '/')
        ruta = "Z:" + ruta;
    return ruta;
}

struct Busqueda {
    DWORD proceso;
    HWND ventana;
};

static BOOL CALLBACK buscar_ventana(HWND ventana, LPARAM datos)
{
    Busqueda *b = (Busqueda *)datos;
    DWORD proceso = 0;
    GetWindowThreadProcessId(ventana, &proceso);
    char clase[32];
    if (proceso == b->proceso && GetClassNameA(ventana, clase, sizeof clase) && strcmp(clase, "ventana") == 0) {
        b->ventana = ventana;
        return FALSE;
    }
    return TRUE;
}

TEST(Programa, ArrancaConLaOrdenDeMuestraIgnoraArgumentosYSaleConCero)
{
    std::string linea = "\"" + ruta_del_programa() + "\" --leccion 7 otro";
    STARTUPINFOA inicio = {};
    inicio.cb = sizeof inicio;
    inicio.dwFlags = STARTF_USESHOWWINDOW;
    inicio.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION proceso = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &linea[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &inicio, &proceso));
    WaitForInputIdle(proceso.hProcess, 10000);
    Busqueda b = {proceso.dwProcessId, nullptr};
    for (int i = 0; i < 100 && !b.ventana; i++) {
        EnumWindows(buscar_ventana, (LPARAM)&b);
        if (!b.ventana)
            Sleep(50);
    }
    ASSERT_NE(b.ventana, nullptr);
    EXPECT_TRUE(IsIconic(b.ventana));
    PostMessageA(b.ventana, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(proceso.hProcess, 10000), WAIT_OBJECT_0);
    DWORD codigo = 99;
    GetExitCodeProcess(proceso.hProcess, &codigo);
    EXPECT_EQ(codigo, 0u);
    CloseHandle(proceso.hThread);
    CloseHandle(proceso.hProcess);
}

// The built exe's imports, as (library, function) pairs; a function
// imported by ordinal has an empty name. Also the exe's subsystem.
struct Importaciones {
    std::vector<std::pair<std::string, std::string>> funciones;
    std::vector<std::string> bibliotecas;
    WORD subsistema = 0;
};

static Importaciones importaciones_del_programa()
{
    Importaciones r;
    HMODULE imagen = LoadLibraryExA(ruta_del_programa().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!imagen)
        return r;
    const BYTE *base = (const BYTE *)imagen;
    const IMAGE_NT_HEADERS *nt = (const IMAGE_NT_HEADERS *)(base + ((const IMAGE_DOS_HEADER *)base)->e_lfanew);
    r.subsistema = nt->OptionalHeader.Subsystem;
    const IMAGE_DATA_DIRECTORY &dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto *d = (const IMAGE_IMPORT_DESCRIPTOR *)(base + dir.VirtualAddress); dir.VirtualAddress && d->Name; d++) {
        const char *biblioteca = (const char *)(base + d->Name);
        r.bibliotecas.push_back(biblioteca);
        for (auto *t = (const IMAGE_THUNK_DATA *)(base + d->OriginalFirstThunk); t->u1.AddressOfData; t++)
            r.funciones.emplace_back(biblioteca, IMAGE_SNAP_BY_ORDINAL(t->u1.Ordinal) ? "" :
                (const char *)((const IMAGE_IMPORT_BY_NAME *)(base + t->u1.AddressOfData))->Name);
    }
    FreeLibrary(imagen);
    return r;
}

TEST(Programa, SoloImportaBibliotecasDelSistema)
{
    Importaciones imp = importaciones_del_programa();
    const char *permitidas[] = {"kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll",
                                "shell32.dll", "msvcrt.dll", "advapi32.dll"};
    for (const std::string &nombre : imp.bibliotecas) {
        bool permitida = _strnicmp(nombre.c_str(), "api-ms-win-", 11) == 0;
        for (const char *p : permitidas)
            permitida = permitida || _stricmp(nombre.c_str(), p) == 0;
        EXPECT_TRUE(permitida) << nombre;
    }
    EXPECT_GT(imp.bibliotecas.size(), 3u);
    EXPECT_EQ(imp.subsistema, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

// The built exe's bytes, as the loader finds them on the disk.
static std::string bytes_del_programa()
{
    std::string bytes;
    FILE *archivo = fopen(ruta_del_programa().c_str(), "rb");
    if (!archivo)
        return bytes;
    char bloque[65536];
    size_t leidos;
    while ((leidos = fread(bloque, 1, sizeof bloque, archivo)) > 0)
        bytes.append(bloque, leidos);
    fclose(archivo);
    return bytes;
}

TEST(Programa, LlevaLasDefensasQueWindowsEspera)
{
    std::string bytes = bytes_del_programa();
    ASSERT_GT(bytes.size(), sizeof(IMAGE_DOS_HEADER));
    const auto *dos = (const IMAGE_DOS_HEADER *)bytes.data();
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    ASSERT_LT((size_t)dos->e_lfanew + sizeof(IMAGE_NT_HEADERS64), bytes.size());
    const auto *nt = (const IMAGE_NT_HEADERS64 *)(bytes.data() + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, (DWORD)IMAGE_NT_SIGNATURE);
    ASSERT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
    WORD defensas = nt->OptionalHeader.DllCharacteristics;
    EXPECT_TRUE(defensas & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE) << std::hex << defensas;
    EXPECT_TRUE(defensas & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA) << std::hex << defensas;
    EXPECT_TRUE(defensas & IMAGE_DLLCHARACTERISTICS_NX_COMPAT) << std::hex << defensas;
    // Without its relocations the loader cannot move the image, whatever the flag says.
    EXPECT_FALSE(nt->FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED);
    EXPECT_GT(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);
#ifdef _MSC_VER
    EXPECT_TRUE(defensas & IMAGE_DLLCHARACTERISTICS_GUARD_CF) << std::hex << defensas;
#else
    // The release exe has no symbol table; the stack protector's report is
    // what shows that it is linked in.
    EXPECT_NE(bytes.find("*** stack smashing detected ***"), std::string::npos);
    // Its guard is drawn at every start from the system's generator, which
    // this process shares with the exe, and not through the cryptographic
    // provider, whose loading cost every start-up about 13 ms under Wine.
    EXPECT_NE(reinterpret_cast<uintptr_t>(__stack_chk_guard), GUARDA_SIN_SEMBRAR);
    for (const auto &funcion : importaciones_del_programa().funciones)
        EXPECT_NE(funcion.second.rfind("Crypt", 0), 0u) << funcion.second;
#endif
#if defined(__MINGW32__) && defined(__OPTIMIZE__)
    // The checked copies leave nothing to find in the exe where every size is
    // known to fit; these tests are compiled with the program's definitions.
    EXPECT_EQ(__MINGW_FORTIFY_LEVEL, 2);
#endif
}

// What the program imports by name: none of it opens, writes or deletes a
// file, touches the registry or reaches the network.
TEST(Programa, NoImportaNadaQueEscribaArchivosRegistroORed)
{
    // _open and _write stay: the stack protector opens the console (CONOUT$)
    // to report a smashed stack, just before it ends the process.
    const char *prohibidas[] = {
        "CreateFile", "OpenFile", "ReOpenFile", "_lcreat", "_lopen", "WriteFile", "ReadFile", "CopyFile",
        "MoveFile", "DeleteFile", "ReplaceFile", "CreateDirectory", "RemoveDirectory", "SetFileAttributes",
        "WritePrivateProfile", "WriteProfile", "GetPrivateProfile", "CreateHardLink", "CreateSymbolicLink",
        "CreateNamedPipe", "FindFirstFile", "fopen", "_wfopen", "freopen", "_fsopen", "_wfsopen", "_sopen",
        "_wsopen", "_wopen", "_creat", "_wcreat", "_mkdir", "_wmkdir", "remove", "_wremove", "rename",
        "_wrename", "_unlink", "_wunlink", "socket", "connect", "WSA", "getaddrinfo", "gethostbyname",
        "Internet", "WinHttp", "URLDownload"};
    Importaciones imp = importaciones_del_programa();
    for (const auto &[biblioteca, nombre] : imp.funciones) {
        ASSERT_FALSE(nombre.empty()) << biblioteca << ": por ordinal";
        // Every registry function starts with Reg; the window classes too.
        bool prohibida = nombre.compare(0, 3, "Reg") == 0 && nombre.compare(0, 8, "Register") != 0;
        for (const char *p : prohibidas)
            prohibida = prohibida || nombre.compare(0, strlen(p), p) == 0;
        EXPECT_FALSE(prohibida) << biblioteca << "!" << nombre;
    }
    EXPECT_GT(imp.funciones.size(), 20u);
}

static std::string valor_de_version(const std::vector<char> &datos, const char *clave)
{
    char ruta[96];
    snprintf(ruta, sizeof ruta, "\\StringFileInfo\\0C0A04E4\\%s", clave);
    char *valor = nullptr;
    UINT largo = 0;
    if (!VerQueryValueA(datos.data(), ruta, (void **)&valor, &largo) || !valor)
        return "(falta " + std::string(clave) + ")";
    return std::string(valor);
}

TEST(Programa, LlevaSuVersionYSuManifiesto)
{
    std::string ruta = ruta_del_programa();
    DWORD tamanio_datos = GetFileVersionInfoSizeA(ruta.c_str(), nullptr);
    ASSERT_GT(tamanio_datos, 0u);
    std::vector<char> datos(tamanio_datos);
    ASSERT_TRUE(GetFileVersionInfoA(ruta.c_str(), 0, tamanio_datos, datos.data()));
    EXPECT_EQ(valor_de_version(datos, "ProductName"), "Pulsafina");
    EXPECT_EQ(valor_de_version(datos, "CompanyName"), "Norvedo Software");
    EXPECT_EQ(valor_de_version(datos, "FileDescription"), "Pulsafina, curso de mecanograf\355a");
    EXPECT_EQ(valor_de_version(datos, "FileVersion"), VERSION_PULSAFINA);
    EXPECT_EQ(valor_de_version(datos, "ProductVersion"), VERSION_PULSAFINA);
    EXPECT_EQ(valor_de_version(datos, "OriginalFilename"), "pulsafina.exe");
    WORD *idioma = nullptr;
    UINT largo = 0;
    ASSERT_TRUE(VerQueryValueA(datos.data(), "\\VarFileInfo\\Translation", (void **)&idioma, &largo));
    ASSERT_EQ(largo, 4u);
    EXPECT_EQ(idioma[0], 0x0C0A);
    EXPECT_EQ(idioma[1], 1252);
    VS_FIXEDFILEINFO *fija = nullptr;
    ASSERT_TRUE(VerQueryValueA(datos.data(), "\\", (void **)&fija, &largo));
    char numeros[32];
    snprintf(numeros, sizeof numeros, "%u.%u.%u", (unsigned)HIWORD(fija->dwFileVersionMS),
             (unsigned)LOWORD(fija->dwFileVersionMS), (unsigned)HIWORD(fija->dwFileVersionLS));
    EXPECT_EQ(std::string(numeros), VERSION_PULSAFINA);
    EXPECT_EQ(fija->dwFileType, (DWORD)VFT_APP);

    HMODULE imagen = LoadLibraryExA(ruta.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(imagen, nullptr);
    HRSRC recurso = FindResourceA(imagen, MAKEINTRESOURCEA(1), (LPCSTR)RT_MANIFEST);
    ASSERT_NE(recurso, nullptr);
    std::string manifiesto((const char *)LockResource(LoadResource(imagen, recurso)), SizeofResource(imagen, recurso));
    FreeLibrary(imagen);
    for (const char *parte : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                              "level=\"asInvoker\"",
                              "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                              "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
                              "WindowsSettings\">false</dpiAware>", "WindowsSettings\">true</gdiScaling>",
                              "version=\"" VERSION_PULSAFINA ".0\""})
        EXPECT_NE(manifiesto.find(parte), std::string::npos) << parte;
}
