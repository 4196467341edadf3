// The practice of a lesson, driven with typed characters, and the figures it
// leaves in the statistics pane.
#include "banco.h"
#include "app/estado.h"
#include "lessons/lecciones.h"
#include "practice/estadisticas.h"
#include <cstring>
#include <string>

static std::string cifras(int e, int a, const char *ps, const char *pu, int r, int l)
{
    char texto[256];
    snprintf(texto, sizeof texto,
             "\n N\372mero de Errores : %d \n\n N\372mero de Aciertos : %d\n\n Pulsaciones por segundo : %s"
             "\n\n Puntuaci\363n : %s\n\n Caracteres restantes : %d\n\n Lecci\363n n\372mero %d",
             e, a, ps, pu, r, l);
    return texto;
}

// Types the practice text of the current lesson up to (not including) the
// character at hasta, all right.
static void escribir_hasta(HWND ventana, int hasta)
{
    for (int i = 0; i < hasta; i++)
        escribir_caracter(ventana, (unsigned char)texto_practica[i]);
}

TEST_F(Ventana, SoloUnaCMinusculaEmpiezaLaPractica)
{
    std::string estadisticas = texto_plano(panel_estadisticas);
    for (int c = 1; c < 256; c++)
        if (c != 'c')
            escribir_caracter(ventana, (unsigned char)c);
    EXPECT_FALSE(practicando);
    EXPECT_EQ(posicion, 0);
    EXPECT_EQ(texto_plano(panel_leccion), lecciones[0].introduccion);

    segundos = 5;
    escribir(ventana, "c");
    EXPECT_TRUE(practicando);
    EXPECT_EQ(texto_de(panel_leccion), lecciones[0].practica);
    EXPECT_STREQ(texto_practica, lecciones[0].practica);
    EXPECT_EQ(restantes, 461);
    EXPECT_EQ(segundos, 5);
    EXPECT_EQ(posicion, 0);
    // The c itself is not counted and the figures are not rewritten.
    EXPECT_EQ(texto_plano(panel_estadisticas), estadisticas);
    for (int i : {0, 230, 460})
        EXPECT_EQ(color_en(i), color_normal) << i;
}

TEST_F(Ventana, CadaPulsacionSeCuentaYSePinta)
{
    segundos = 5;
    escribir(ventana, "c");
    escribir(ventana, "a");
    EXPECT_EQ(aciertos, 1);
    EXPECT_EQ(errores, 0);
    EXPECT_EQ(restantes, 460);
    EXPECT_EQ(pulsaciones, 0.0f);
    EXPECT_EQ(puntuacion, 10.0f);
    EXPECT_EQ(posicion, 1);
    EXPECT_EQ(rango_actual.cpMax, 2);
    EXPECT_EQ(texto_plano(panel_estadisticas), cifras(0, 1, "0.000000", "10.000000", 460, 1));

    segundos = 6;
    escribir(ventana, "x");   // s expected
    EXPECT_EQ(errores, 1);
    EXPECT_EQ(restantes, 459);
    EXPECT_EQ(pulsaciones, 0.0f);
    EXPECT_EQ(puntuacion, 5.0f);
    escribir(ventana, "d");   // 2 hits of 3
    EXPECT_EQ(texto_plano(panel_estadisticas), cifras(1, 2, "0.000000", "6.666667", 458, 1));

    // "c" inside a practice is an ordinary keystroke; so are control characters,
    // and Backspace does not move back.
    for (unsigned char c : {(unsigned char)'c', (unsigned char)8, (unsigned char)9, (unsigned char)13,
                            (unsigned char)27, (unsigned char)0})
        escribir_caracter(ventana, c);
    EXPECT_EQ(errores, 7);
    EXPECT_EQ(aciertos, 2);
    EXPECT_EQ(posicion, 9);
    EXPECT_EQ(aciertos + errores, posicion);
    EXPECT_EQ(posicion + restantes, 461);

    EXPECT_EQ(color_en(0), color_correcta);
    EXPECT_EQ(color_en(1), color_incorrecta);
    EXPECT_EQ(color_en(2), color_correcta);
    EXPECT_EQ(color_en(3), color_incorrecta);
    EXPECT_EQ(color_en(9), color_normal);
}

TEST_F(Ventana, LasPulsacionesPorSegundoSonEnteras)
{
    escribir(ventana, "c");
    escribir_hasta(ventana, 7);
    segundos = 3;
    escribir_caracter(ventana, (unsigned char)texto_practica[7]);
    EXPECT_EQ(pulsaciones, 2.0f);
    segundos = 2;
    escribir_caracter(ventana, (unsigned char)texto_practica[8]);
    EXPECT_EQ(pulsaciones, 4.0f);
}

TEST_F(Ventana, LaEnieSeComparaComoUnByte)
{
    SendMessageA(botones_leccion[1], BM_CLICK, 0, 0);
    EXPECT_EQ(leccion_actual, 2);
    escribir(ventana, "c");
    ASSERT_EQ((unsigned char)texto_practica[0], 0xF1);
    escribir_caracter(ventana, 0xF1);
    escribir_caracter(ventana, 0xD1);   // capital, wrong
    EXPECT_EQ(aciertos, 1);
    EXPECT_EQ(errores, 1);
}

TEST_F(Ventana, LaUltimaPulsacionPasaALaLeccionSiguiente)
{
    escribir(ventana, "c");
    escribir_hasta(ventana, 460);
    SendMessageA(panel_leccion, EM_SETBKGNDCOLOR, 0, 0);
    segundos = 230;
    escribir_caracter(ventana, 'x');   // the last one, wrong
    EXPECT_EQ(errores, 1);
    EXPECT_EQ(aciertos, 460);
    EXPECT_EQ(restantes, 0);
    EXPECT_EQ(pulsaciones, 2.0f);
    EXPECT_EQ(leccion_actual, 2);
    EXPECT_FALSE(practicando);
    EXPECT_EQ(posicion, 0);
    EXPECT_EQ(rango_actual.cpMax, 1);
    EXPECT_EQ(segundos, 1);
    EXPECT_EQ(texto_plano(panel_leccion), lecciones[1].introduccion);
    EXPECT_EQ(GetScrollPos(panel_leccion, SB_VERT), 0);   // shown from its first line
    EXPECT_EQ(texto_plano(panel_estadisticas), cifras(1, 460, "2.000000", "9.978308", 0, 2));
    // The whole new introduction is in the normal colour, from its start.
    for (int i : {0, 100, 459, 460, 600})
        EXPECT_EQ(color_en(i), color_normal) << i;
}

TEST_F(Ventana, TrasLaLeccionVeinteVieneLaUno)
{
    SendMessageA(ventana, WM_COMMAND, 0, (LPARAM)botones_leccion[19]);
    escribir(ventana, "c");
    EXPECT_EQ(restantes, 437);
    escribir_hasta(ventana, 437);
    EXPECT_EQ(leccion_actual, 1);
    EXPECT_EQ(aciertos, 437);
    EXPECT_EQ(texto_plano(panel_estadisticas), cifras(0, 437, "436.000000", "10.000000", 0, 1));
    EXPECT_EQ(texto_plano(panel_leccion), lecciones[0].introduccion);
}

// Bytes in use in the process heap, where the rich-text panes keep their text.
static SIZE_T en_uso_del_monton()
{
    SIZE_T total = 0;
    PROCESS_HEAP_ENTRY bloque = {};
    HANDLE monton = GetProcessHeap();
    HeapLock(monton);
    while (HeapWalk(monton, &bloque))
        if (bloque.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            total += bloque.cbData;
    HeapUnlock(monton);
    return total;
}

// Every lesson is started, its first character typed, the practice brought
// to its last character as if all between had been typed rightly, and the
// last one typed: the course goes through all twenty lessons and round. A
// second time round holds no more memory than the first: each text that the
// lesson pane lets go is freed, every line of it.
TEST_F(Ventana, ElCursoEnteroDaLaVuelta)
{
    SIZE_T tras_la_primera = 0;
    for (int vuelta = 1; vuelta <= 2; vuelta++) {
        for (int n = 1; n <= NUMERO_LECCIONES; n++) {
            SCOPED_TRACE(testing::Message() << "leccion " << n);
            const char *practica = lecciones[n - 1].practica;
            int longitud = (int)strlen(practica);
            ASSERT_EQ(leccion_actual, n);
            escribir(ventana, "c");
            ASSERT_EQ(restantes, longitud);
            ASSERT_EQ(texto_de(panel_leccion), practica);
            ASSERT_STREQ(texto_practica, practica);
            escribir_caracter(ventana, (unsigned char)practica[0]);
            ASSERT_EQ(aciertos, 1);

            aciertos = longitud - 1;
            restantes = 1;
            posicion = longitud - 1;
            rango_actual.cpMax = longitud;
            escribir_caracter(ventana, (unsigned char)practica[longitud - 1]);
            ASSERT_EQ(aciertos, longitud);
            ASSERT_EQ(errores, 0);
            ASSERT_FALSE(practicando);
            ASSERT_EQ(texto_plano(panel_leccion), lecciones[n % NUMERO_LECCIONES].introduccion);
        }
        EXPECT_EQ(leccion_actual, 1);
        if (vuelta == 1)
            tras_la_primera = en_uso_del_monton();
    }
    EXPECT_LE(en_uso_del_monton(), tras_la_primera + 4096);
}

TEST_F(Ventana, UnBotonDeLeccionAbandonaLaPractica)
{
    escribir(ventana, "c");
    escribir(ventana, "asx");
    std::string estadisticas = texto_plano(panel_estadisticas);
    segundos = 40;
    SendMessageA(botones_leccion[4], BM_CLICK, 0, 0);
    EXPECT_EQ(leccion_actual, 5);
    EXPECT_FALSE(practicando);
    EXPECT_EQ(posicion, 0);
    EXPECT_EQ(segundos, 1);
    EXPECT_EQ(aciertos, 2);
    EXPECT_EQ(errores, 1);
    EXPECT_EQ(texto_plano(panel_estadisticas), estadisticas);
    EXPECT_EQ(texto_plano(panel_leccion), lecciones[4].introduccion);
    EXPECT_EQ(GetFocus(), ventana);
    for (int i : {0, 1, 2, 3, 50})
        EXPECT_EQ(color_en(i), color_normal) << i;

    escribir(ventana, "c");
    EXPECT_EQ(aciertos, 0);
    EXPECT_EQ(errores, 0);
    EXPECT_EQ(texto_de(panel_leccion), lecciones[4].practica);

    // The button of the lesson shown shows its introduction again.
    segundos = 9;
    SendMessageA(ventana, WM_COMMAND, 0, (LPARAM)botones_leccion[4]);
    EXPECT_EQ(segundos, 1);
    EXPECT_FALSE(practicando);
    EXPECT_EQ(texto_plano(panel_leccion), lecciones[4].introduccion);
}

TEST_F(Ventana, LosPanelesDevuelvenElFoco)
{
    SetFocus(panel_leccion);
    EXPECT_EQ(GetFocus(), ventana);
    SetFocus(panel_estadisticas);
    EXPECT_EQ(GetFocus(), ventana);
    SetFocus(botones_leccion[3]);
    EXPECT_EQ(GetFocus(), botones_leccion[3]);
    // A click into a pane goes back to typing.
    SetFocus(ventana);
    SendMessageA(panel_leccion, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(panel_leccion, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(GetFocus(), ventana);
}

TEST_F(Ventana, CualquierByteEnCualquierEstadoMantieneLasCuentas)
{
    for (int ronda = 0; ronda < 3; ronda++) {
        for (int c = 0; c < 256; c++) {
            escribir_caracter(ventana, (unsigned char)c);
            ASSERT_GE(leccion_actual, 1);
            ASSERT_LE(leccion_actual, NUMERO_LECCIONES);
            if (practicando) {
                ASSERT_EQ(aciertos + errores, posicion);
                ASSERT_EQ(posicion + restantes, (int)strlen(texto_practica));
                ASSERT_EQ(rango_actual.cpMax, posicion + 1);
            }
        }
        escribir(ventana, "c");
    }
}

TEST(Estadisticas, CabenEnElBufferConLasCifrasMasLargas)
{
    errores = -2147483647 - 1;
    aciertos = -2147483647 - 1;
    pulsaciones = 999.0f;
    puntuacion = 10.0f;
    restantes = -2147483647 - 1;
    leccion_actual = 20;
    char texto[200];
    formatear_estadisticas(texto, sizeof texto);
    EXPECT_LT(strlen(texto), sizeof texto - 1);
    EXPECT_NE(strstr(texto, "Lecci\363n n\372mero 20"), nullptr);
}
