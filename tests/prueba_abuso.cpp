// A short abuse run: fifty thousand random messages of a fixed seed to the
// real main window, every promise checked after each (tests/abuso.cpp). The
// long run and the soak are the abuse command's (tools/abusar.sh).
#include "abuso.h"
#include <gtest/gtest.h>

TEST(Abuso, CincuentaMilMensajes)
{
    Abuso opciones;
    opciones.semilla = 20240601;
    opciones.mensajes = 50000;
    EXPECT_TRUE(abusar(opciones)) << "see the output above for the seed and the message";
}
