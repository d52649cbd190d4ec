#include "management/XlsxSheet.h"

#include "common/Money.h"
#include "data/Database.h"
#include "data/DbError.h"

#include <QFile>
#include <algorithm>
#include <cstdio>
#include <xlsxwriter.h>
#include <zlib.h>

#if defined(__ELF__)
#include <dlfcn.h>

// libxlsxwriter packs the file with zlib's default level and offers no setting for it; at that
// level compressing takes a third of an export. The fastest level makes a file about a third
// larger that every reader opens alike. This definition comes before minizip's in the symbol
// search order, so the library's call lands here and goes on to minizip with the level
// changed. minizip is used by nothing else.
extern "C" int zipOpenNewFileInZip4_64(void* file, const char* filename, const void* info,
                                       const void* localExtra, uInt localExtraSize,
                                       const void* globalExtra, uInt globalExtraSize,
                                       const char* comment, int method, int level, int raw,
                                       int windowBits, int memLevel, int strategy,
                                       const char* password, uLong crcForCrypting,
                                       uLong versionMadeBy, uLong flagBase, int zip64) {
    using Open =
        int (*)(void*, const char*, const void*, const void*, uInt, const void*, uInt, const char*,
                int, int, int, int, int, int, const char*, uLong, uLong, uLong, int);
    static const auto minizip = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "zipOpenNewFileInZip4_64"));
    if (!minizip)
        return -1; // ZIP_ERRNO: the workbook reports that it could not write the file.
    if (method == Z_DEFLATED && level == Z_DEFAULT_COMPRESSION)
        level = Z_BEST_SPEED;
    return minizip(file, filename, info, localExtra, localExtraSize, globalExtra, globalExtraSize,
                   comment, method, level, raw, windowBits, memLevel, strategy, password,
                   crcForCrypting, versionMadeBy, flagBase, zip64);
}
#endif

namespace {

// RGB; the same colours given elsewhere in blue-green-red order as 4696F7, ECE0E5, DAC0CC.
constexpr lxw_color_t kHeaderColour = 0xF79646;
constexpr lxw_color_t kBandColours[2] = {0xE5E0EC, 0xCCC0DA};
constexpr lxw_color_t kWhite = 0xFFFFFF;
constexpr int kDateWidth = 10;
constexpr std::size_t kTemporaryBuffer = std::size_t(1) << 20;
const char* const kMoneyFormat = "\"R$ \"#,##0.00";
const char* const kDateFormat = "dd/mm/yyyy";

lxw_format* filled(lxw_workbook* book, lxw_color_t colour) {
    lxw_format* format = workbook_add_format(book);
    format_set_pattern(format, LXW_PATTERN_SOLID);
    format_set_bg_color(format, colour);
    return format;
}

} // namespace

XlsxSheet::XlsxSheet(const QString& path, const QString& sheetName, const QList<Column>& columns)
    : m_path(path), m_sheetName(sheetName.toUtf8()), m_columns(columns),
      m_widths(columns.size(), 0), m_extents(columns.size()) {
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!m_book)
        throw DbError(DbError::kGeneric,
                      QStringLiteral("Não foi possível preparar a planilha %1.").arg(path));
    m_sheet = workbook_add_worksheet(m_book, m_sheetName.constData());
    if (!m_sheet)
        throw DbError(DbError::kGeneric,
                      QStringLiteral("Nome de planilha inválido: %1.").arg(sheetName));
    // Rows go to a temporary file through stdio's few-kilobyte buffer, which would make one
    // system call per few cells; nothing has been written to it yet. The buffer outlives the
    // file, which the library closes.
    if (m_sheet->optimize_tmpfile) {
        m_buffer.resize(kTemporaryBuffer);
        setvbuf(m_sheet->optimize_tmpfile, m_buffer.data(), _IOFBF, m_buffer.size());
    }
    m_header = filled(m_book, kHeaderColour);
    format_set_bold(m_header);
    m_white = filled(m_book, kWhite);
    for (int b = 0; b < 2; ++b) {
        Band& band = m_bands[b];
        band.plain = filled(m_book, kBandColours[b]);
        band.money = filled(m_book, kBandColours[b]);
        format_set_num_format(band.money, kMoneyFormat);
        band.date = filled(m_book, kBandColours[b]);
        format_set_num_format(band.date, kDateFormat);
    }
    for (int column = 0; column < m_columns.size(); ++column) {
        const QString& header = m_columns.at(column).header;
        check(worksheet_write_string(m_sheet, 0, lxw_col_t(column), header.toUtf8().constData(),
                                     m_header));
        // Bold letters are a little wider.
        widen(column, m_columns.at(column).header.size() + 1);
    }
}

XlsxSheet::~XlsxSheet() {
    if (m_book)
        lxw_workbook_free(m_book);
}

void XlsxSheet::startRow(bool secondColour) {
    if (m_rows >= kMaxRows)
        throw DbError(
            DbError::kGeneric,
            QStringLiteral("Uma planilha comporta no máximo %1 linhas de dados.").arg(kMaxRows));
    ++m_rows;
    m_band = &m_bands[secondColour ? 1 : 0];
}

void XlsxSheet::writeBlank(int column) {
    check(worksheet_write_blank(m_sheet, lxw_row_t(m_rows), lxw_col_t(column), m_band->plain));
}

void XlsxSheet::writeInteger(int column, qint64 value) {
    const bool money = m_columns.at(column).kind == Kind::Money;
    check(worksheet_write_number(m_sheet, lxw_row_t(m_rows), lxw_col_t(column),
                                 money ? double(value) / 100.0 : double(value),
                                 money ? m_band->money : m_band->plain));
    Extent& extent = m_extents[column];
    if (extent.any && value >= extent.lowest && value <= extent.highest)
        return;
    if (!extent.any)
        extent = {true, value, value};
    extent.lowest = std::min(extent.lowest, value);
    extent.highest = std::max(extent.highest, value);
    widen(column, money ? Money::fromCents(value).format().size() : QString::number(value).size());
}

void XlsxSheet::writeDate(int column, int year, int month, int day) {
    lxw_datetime when = {year, month, day, 0, 0, 0};
    check(worksheet_write_datetime(m_sheet, lxw_row_t(m_rows), lxw_col_t(column), &when,
                                   m_band->date));
    widen(column, kDateWidth);
}

void XlsxSheet::writeText(int column, const char* utf8, qsizetype characters) {
    check(
        worksheet_write_string(m_sheet, lxw_row_t(m_rows), lxw_col_t(column), utf8, m_band->plain));
    widen(column, characters);
}

void XlsxSheet::widen(int column, qsizetype characters) {
    qsizetype& width = m_widths[column];
    width = std::max(width, characters);
}

void XlsxSheet::finish() {
    for (int column = 0; column < m_widths.size(); ++column) {
        const double width = std::min(double(m_widths.at(column)) + 2, kMaxWidth);
        check(worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column), width, m_white));
    }
    // The rest of the sheet is white too.
    check(worksheet_set_column(m_sheet, lxw_col_t(m_columns.size()), LXW_COL_MAX - 1,
                               LXW_DEF_COL_WIDTH, m_white));
    lxw_workbook* book = m_book;
    m_book = nullptr;
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR)
        throw DbError(DbError::kGeneric,
                      QStringLiteral("Não foi possível gravar a planilha %1: %2.")
                          .arg(m_path, QString::fromUtf8(lxw_strerror(error))));
}

void XlsxSheet::check(int error) const {
    if (error != LXW_NO_ERROR)
        throw DbError(DbError::kGeneric,
                      QStringLiteral("Erro ao escrever a planilha %1: %2.")
                          .arg(m_path, QString::fromUtf8(lxw_strerror(lxw_error(error)))));
}
