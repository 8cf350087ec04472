#include "workloads.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QVector>

namespace {

// A fixed linear congruential sequence: the same workload on every machine and every run.
class Sequence
{
public:
    int below(int bound)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((m_state >> 33) % quint64(bound));
    }

private:
    quint64 m_state = 0x5eed;
};

const char *const Words[] = {
    "the", "report", "shows", "that", "quarterly", "results", "were", "above", "what",
    "analysts", "expected", "and", "our", "team", "delivered", "every", "milestone", "on",
    "time", "while", "costs", "stayed", "within", "budget", "for", "this", "year", "of",
    "growth", "customers", "market", "product", "a", "new", "in", "with", "is", "by",
};
constexpr int WordCount = int(sizeof(Words) / sizeof(Words[0]));

const char Header[] =
    "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff31507\\deff0\\stshfdbch31505"
    "\\stshfloch31506\\stshfhich31506\\stshfbi31507\\deflang1033\\deflangfe1033\\themelang1033"
    "{\\fonttbl{\\f0\\fbidi \\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}"
    "Times New Roman;}{\\f2\\fbidi \\fmodern\\fcharset0\\fprq1 Courier New;}"
    "{\\f3\\fbidi \\froman\\fcharset2\\fprq2 Symbol;}{\\f37\\fbidi \\fswiss\\fcharset0\\fprq2 Calibri;}"
    "{\\f40\\fbidi \\fswiss\\fcharset204\\fprq2 Calibri Cyr;}}\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
    "\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green0\\blue0;"
    "\\red217\\green217\\blue217;\\red5\\green99\\blue193;}\n"
    "{\\*\\defchp \\f31506\\fs22 }{\\*\\defpap \\ql \\li0\\ri0\\sa160\\sl259\\slmult1 }\n"
    "{\\stylesheet{\\ql \\li0\\ri0\\sa160\\sl259\\slmult1\\widctlpar\\wrapdefault\\aspalpha"
    "\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af31507\\afs22\\alang1025 "
    "\\ltrch\\fcs0 \\f37\\fs22\\lang1033\\langfe1033 \\snext0 \\sqformat \\spriority0 Normal;}"
    "{\\s1\\ql \\li0\\ri0\\sb240\\keepn\\outlinelevel0 \\b\\f37\\fs32\\cf8 \\sbasedon0 \\snext0 "
    "heading 1;}{\\*\\cs10 \\additive \\ssemihidden Default Paragraph Font;}"
    "{\\*\\cs15 \\additive \\ul\\cf8 \\sbasedon10 Hyperlink;}}\n"
    "{\\*\\generator Microsoft Word 16.0;}{\\info{\\title Workload}{\\author Bench}"
    "{\\creatim\\yr2024\\mo3\\dy5\\hr10\\min2}}\n"
    "\\paperw12240\\paperh15840\\margl1440\\margr1440\\margt1440\\margb1440\\gutter0\\ltrsect \n";

const char ListTable[] =
    "{\\*\\listtable{\\list\\listtemplateid-1\\listhybrid"
    "{\\listlevel\\levelnfc0\\levelnfcn0\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
    "\\levelspace0\\levelindent0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}"
    "\\fi-360\\li720\\lin720 }"
    "{\\listlevel\\levelnfc4\\levelnfcn4\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
    "{\\leveltext\\'02\\'01.;}{\\levelnumbers\\'01;}\\fi-360\\li1440\\lin1440 }"
    "{\\listlevel\\levelnfc2\\levelnfcn2\\leveljc2\\leveljcn2\\levelfollow0\\levelstartat1"
    "{\\leveltext\\'02\\'02.;}{\\levelnumbers\\'01;}\\fi-180\\li2160\\lin2160 }"
    "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
    "{\\leveltext\\'01\\u-3913 ?;}{\\levelnumbers;}\\f3\\fi-360\\li2880\\lin2880 }"
    "{\\listname ;}\\listid1001}"
    "{\\list\\listtemplateid-2\\listhybrid"
    "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
    "{\\leveltext\\'01\\u-3913 ?;}{\\levelnumbers;}\\f3\\fi-360\\li720\\lin720 }"
    "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
    "{\\leveltext\\'01o;}{\\levelnumbers;}\\f2\\fi-360\\li1440\\lin1440 }"
    "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
    "{\\leveltext\\'01\\u-3929 ?;}{\\levelnumbers;}\\f3\\fi-360\\li2160\\lin2160 }"
    "{\\listname ;}\\listid1002}}\n"
    "{\\*\\listoverridetable{\\listoverride\\listid1001\\listoverridecount0\\ls1}"
    "{\\listoverride\\listid1002\\listoverridecount0\\ls2}}\n";

const char ParagraphStart[] =
    "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\sa160\\sl259\\slmult1\\widctlpar\\wrapdefault"
    "\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af31507\\afs22"
    "\\alang1025 \\ltrch\\fcs0 \\f37\\fs22\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033 ";

class Writer
{
public:
    explicit Writer(QByteArray &out) : m_out(out) {}

    void words(int count)
    {
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                m_out += ' ';
            m_out += Words[m_sequence.below(WordCount)];
        }
    }

    // One run of prose with the kinds of inline markup Word scatters through text.
    void formattedRun()
    {
        switch (m_sequence.below(12)) {
        case 0: m_out += "{\\rtlch\\fcs1 \\ab\\af31507 \\ltrch\\fcs0 \\b\\insrsid1 "; words(3); m_out += "}"; break;
        case 1: m_out += "{\\rtlch\\fcs1 \\ai\\af31507 \\ltrch\\fcs0 \\i\\insrsid1 "; words(2); m_out += "}"; break;
        case 2: m_out += "{\\ltrch\\fcs0 \\ul\\cf6 "; words(2); m_out += "}"; break;
        case 3: m_out += " caf\\'e9 na\\'efve r\\'e9sum\\'e9 "; break;
        case 4: m_out += " \\u8220\\'93quoted\\u8221\\'94 and \\u8212\\'97 dashes "; break;
        case 5: m_out += "{\\field{\\*\\fldinst {\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 HYPERLINK \"https://example.com/page\" }}"
                         "{\\fldrslt {\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 \\cs15\\ul\\cf8 "; words(2); m_out += "}}}"; break;
        case 6: m_out += "{\\super\\chftn}{\\footnote \\ltrpar \\pard\\plain \\ltrpar\\s2\\ql \\fs20 {\\super\\chftn} "; words(6); m_out += "}"; break;
        case 7: m_out += "{\\ltrch\\fcs0 \\f2\\fs20\\highlight7 "; words(2); m_out += "}"; break;
        case 8: m_out += " \\u1055\\'3f\\u1088\\'3f\\u1080\\'3f \\{braces\\} back\\\\slash "; break;
        case 9: m_out += "{\\ltrch\\fcs0 \\strike\\scaps "; words(2); m_out += "}"; break;
        default: m_out += ' '; words(8); m_out += ' '; break;
        }
    }

    void paragraph(int runs)
    {
        m_out += ParagraphStart;
        m_out += "{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 \\insrsid1 ";
        words(6);
        m_out += '}';
        for (int i = 0; i < runs; ++i)
            formattedRun();
        m_out += "{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 \\insrsid1 \\par }\n";
    }

    void heading()
    {
        m_out += "\\pard\\plain \\ltrpar\\s1\\ql \\li0\\ri0\\sb240\\keepn\\outlinelevel0 \\b\\f37\\fs32\\cf8 ";
        words(4);
        m_out += "\\par\n";
    }

    void tableRow(int cells, int row, bool lastInTable)
    {
        m_out += "\\trowd \\irow" + QByteArray::number(row) + "\\irowband" + QByteArray::number(row)
            + "\\ltrrow\\ts11\\trgaph108\\trleft-108\\trbrdrt\\brdrs\\brdrw10 \\trbrdrl\\brdrs\\brdrw10 "
              "\\trbrdrb\\brdrs\\brdrw10 \\trbrdrr\\brdrs\\brdrw10 \\trftsWidth1\\trautofit1\\tblind0 ";
        if (lastInTable)
            m_out += "\\lastrow ";
        const int width = 9360 / cells;
        for (int c = 0; c < cells; ++c) {
            if (row == 0 && c == 0)
                m_out += "\\clvmgf";
            else if (row == 1 && c == 0)
                m_out += "\\clvmrg";
            if (row % 7 == 3 && c == 1)
                m_out += "\\clmgf";
            else if (row % 7 == 3 && c == 2)
                m_out += "\\clmrg";
            m_out += "\\clvertalt\\clbrdrt\\brdrs\\brdrw10 \\clbrdrl\\brdrs\\brdrw10 "
                     "\\clbrdrb\\brdrs\\brdrw10 \\clbrdrr\\brdrs\\brdrw10 ";
            if (row % 2 == 0)
                m_out += "\\clcbpat7";
            m_out += "\\cltxlrtb\\clftsWidth3\\clwWidth" + QByteArray::number(width)
                + " \\cellx" + QByteArray::number(width * (c + 1) - 108) + ' ';
        }
        m_out += "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\widctlpar\\intbl\\wrapdefault\\aspalpha"
                 "\\aspnum\\faauto\\adjustright\\rin0\\lin0 \\f37\\fs22 ";
        for (int c = 0; c < cells; ++c) {
            m_out += "{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 \\insrsid1 ";
            words(1 + m_sequence.below(4));
            m_out += "\\cell }";
        }
        m_out += "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\sa160\\sl259\\slmult1\\widctlpar\\intbl"
                 "\\wrapdefault\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0 "
                 "{\\rtlch\\fcs1 \\af31507 \\ltrch\\fcs0 \\insrsid1 \\trowd \\irow0\\trgaph108\\trleft-108"
                 "\\cellx3012\\row }\n";
    }

    // An outer row whose first cell holds a two-row table, as Word writes nested tables.
    void nestedTableRow()
    {
        for (int inner = 0; inner < 2; ++inner) {
            m_out += "\\pard\\plain \\ltrpar\\ql \\intbl\\itap2 \\f37\\fs22 ";
            for (int c = 0; c < 2; ++c) {
                words(2);
                m_out += "\\nestcell ";
            }
            m_out += "{\\*\\nesttableprops\\trowd \\irow" + QByteArray::number(inner)
                + "\\trgaph108\\trleft0\\trbrdrt\\brdrs\\brdrw10 \\clbrdrt\\brdrs\\brdrw10 "
                  "\\cellx2000\\clcbpat7\\cellx4000\\nestrow}{\\nonesttables\\par}\n";
        }
        m_out += "\\pard\\plain \\ltrpar\\ql \\intbl\\itap1 \\f37\\fs22 \\cell ";
        words(3);
        m_out += "\\cell \\pard\\plain \\intbl\\itap1 {\\trowd \\trgaph108\\trleft-108"
                 "\\cellx4680\\cellx9360\\row }\n";
    }

    void table(int rows)
    {
        const int cells = 3 + m_sequence.below(3);
        for (int r = 0; r < rows; ++r)
            tableRow(cells, r, r == rows - 1);
    }

    void listItem(int list, int level)
    {
        const int indent = 720 * (level + 1);
        m_out += "{\\listtext\\pard\\plain \\ltrpar \\f3\\fs22 \\'b7\\tab}\\pard\\plain \\ltrpar"
                 "\\ql \\fi-360\\li" + QByteArray::number(indent) + "\\ri0\\sa160\\sl259\\slmult1"
                 "\\widctlpar\\wrapdefault\\aspalpha\\aspnum\\faauto\\ls" + QByteArray::number(list)
            + "\\ilvl" + QByteArray::number(level) + "\\adjustright\\rin0\\lin"
            + QByteArray::number(indent) + "\\itap0\\pararsid1\\contextualspace \\f37\\fs22 ";
        words(5);
        if (m_sequence.below(3) == 0)
            formattedRun();
        m_out += "\\par\n";
    }

    void picture(const QByteArray &hex, const QSize &size, bool png)
    {
        m_out += "{\\*\\shppict{\\pict{\\*\\picprop}\\picscalex100\\picscaley100\\piccropl0"
                 "\\piccropr0\\piccropt0\\piccropb0\\picw" + QByteArray::number(size.width() * 26)
            + "\\pich" + QByteArray::number(size.height() * 26) + "\\picwgoal"
            + QByteArray::number(size.width() * 15) + "\\pichgoal"
            + QByteArray::number(size.height() * 15) + (png ? "\\pngblip" : "\\jpegblip")
            + "\\bliptag" + QByteArray::number(1000 + m_sequence.below(9000)) + "\n";
        for (int i = 0; i < hex.size(); i += 128)
            m_out += hex.mid(i, 128) + '\n';
        m_out += "}}{\\nonshppict{\\pict\\picw100\\pich100\\wmetafile8 0100090000}}";
    }

    int below(int bound) { return m_sequence.below(bound); }

private:
    QByteArray &m_out;
    Sequence m_sequence;
};

QByteArray encodedPicture(int index, bool png)
{
    QImage image(24 + index * 4, 20 + index * 2, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((index * 47) % 360, 160, 220));
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawLine(0, 0, image.width() - 1, image.height() - 1);
    painter.drawEllipse(image.rect().adjusted(3, 3, -3, -3));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, png ? "PNG" : "JPEG", png ? -1 : 85);
    return bytes.toHex();
}

void appendBody(WorkloadKind kind, Writer &writer, int step,
                const QVector<QByteArray> &pictures)
{
    switch (kind) {
    case WorkloadKind::Text:
        if (step % 20 == 0)
            writer.heading();
        writer.paragraph(4 + writer.below(8));
        break;
    case WorkloadKind::Table:
        writer.paragraph(1);
        if (step % 10 == 0)
            writer.nestedTableRow();
        writer.table(20 + writer.below(40));
        break;
    case WorkloadKind::List:
        if (step % 30 == 0)
            writer.paragraph(2);
        writer.listItem(1 + step / 50 % 2, (step % 7) % 3 + (step % 11 == 0 ? 1 : 0));
        break;
    case WorkloadKind::Picture: {
        const int index = step % pictures.size();
        const bool png = index % 2 == 0;
        writer.paragraph(1);
        writer.picture(pictures.at(index), QSize(24 + index / 2 * 4, 20 + index / 2 * 2), png);
        break;
    }
    }
}

} // namespace

bool workloadKindFromName(const QString &name, WorkloadKind *kind)
{
    static const struct { const char *name; WorkloadKind kind; } Kinds[] = {
        {"text", WorkloadKind::Text}, {"table", WorkloadKind::Table},
        {"list", WorkloadKind::List}, {"picture", WorkloadKind::Picture},
    };
    for (const auto &entry : Kinds) {
        if (name == QLatin1String(entry.name)) {
            *kind = entry.kind;
            return true;
        }
    }
    return false;
}

QByteArray generateWorkload(WorkloadKind kind, qint64 targetBytes)
{
    QVector<QByteArray> pictures;
    if (kind == WorkloadKind::Picture) {
        for (int i = 0; i < 8; ++i)
            pictures << encodedPicture(i / 2, i % 2 == 0);
    }
    QByteArray out;
    out.reserve(int(qMin<qint64>(targetBytes + 65536, 1 << 30)));
    out += Header;
    if (kind == WorkloadKind::List)
        out += ListTable;
    Writer writer(out);
    for (int step = 0; out.size() < targetBytes; ++step)
        appendBody(kind, writer, step, pictures);
    out += "\\pard\\plain \\ltrpar\\ql \\f37\\fs22 \\par }";
    return out;
}
