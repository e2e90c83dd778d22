#include "storage/TicketSettings.h"
#include "storage/Codec.h"
#include "support/GTestHelpers.h"

#include <gtest/gtest.h>

using namespace tallimo;

namespace {

struct SettingsRow {
    const char* name;
    QByteArray bytes;
    const char* read; // header | footer | printer | paper, or the error
};

// Ticket.txt: a setting a line; a bad line is named and nothing of the file is used.
const SettingsRow kSettings[] = {
    {"Windows-1252, CR LF", "Encabezado=Jab\xf3n y m\xe1s\r\n# nota\r\n\r\nPIE = Adi\xf3s \r\n",
     "Jabón y más | Adiós |  | 58"},
    {"UTF-8 with its mark", "\xef\xbb\xbfImpresora=Caja 2\nPapel=80 mm\nEncabezado=\nPie=A\nPie=B",
     " | A,B | Caja 2 | 80"},
    {"no equals sign", "Encabezado=A\r\nHola\r\n",
     "Ticket.txt, línea 2 (\"Hola\"): falta el signo \"=\" entre el nombre y el valor."},
    {"unknown name", "Encabesado=A",
     "Ticket.txt, línea 1 (\"Encabesado=A\"): \"Encabesado\" no es un ajuste del ticket; los "
     "ajustes son Encabezado, Pie, Impresora y Papel."},
    {"another roll", "\r\nPapel=57",
     "Ticket.txt, línea 2 (\"Papel=57\"): el papel debe ser de "
     "58 o de 80 mm."},
    {"printer twice", "Impresora=A\nimpresora=B",
     "Ticket.txt, línea 2 (\"impresora=B\"): \"impresora\" ya se indicó en una línea "
     "anterior."},
};

class TicketSettingsFile : public testing::TestWithParam<SettingsRow> {};

TEST_P(TicketSettingsFile, ReadsEachSettingOrNamesTheBadLine) {
    const TicketSettingsRead r = parseTicketSettings(decodeLines(GetParam().bytes));
    const TicketSettings& s = r.settings;
    const QString read = r.error.isEmpty() ? QStringList{s.header.join(','), s.footer.join(','),
                                                         s.printer, QString::number(s.paperMm)}
                                                 .join(" | ")
                                           : r.error;
    EXPECT_EQ(read, QString::fromUtf8(GetParam().read));
}

INSTANTIATE_TEST_SUITE_P(Rows, TicketSettingsFile, testing::ValuesIn(kSettings), test::RowName());

TEST(TicketSettingsMissing, GivesTheSmallRoll) {
    EXPECT_EQ(readTicketSettings("/no/such/Ticket.txt").settings.paperMm, 58);
}

} // namespace
