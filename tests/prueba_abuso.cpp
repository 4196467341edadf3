// A short abuse run: fifty thousand random messages of a fixed starting number to the
// real main window, every promise checked after each (tests/abuso.cpp). The
// long run and the long run are the abuse command's (tools/abusar.sh).
#include "abuso.h"
#include <gtest/gtest.h>

TEST(Abuso, CincuentaMilMensajes)
{
    Abuso opciones;
    opciones.semilla = 20240601;
    opciones.mensajes = 50000;
    EXPECT_TRUE(abusar(opciones)) << "see the output above for the starting number and the message";
}
