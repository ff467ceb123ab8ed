#include "app/loadedsound.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <algorithm>
#include <cstring>
#include <elf.h>
#include <vector>

namespace marvesto {

namespace {

constexpr char kModule[] = "marvesto-sound.so";
constexpr char kFactory[] = "marvesto_create_sound_output";
using Factory = SoundOutput *(*)();

// The ELF file this program is, and its module must be.
#if Q_PROCESSOR_WORDSIZE == 8
using ElfHeader = Elf64_Ehdr;
using ProgramHeader = Elf64_Phdr;
using SectionHeader = Elf64_Shdr;
constexpr unsigned char kElfClass = ELFCLASS64;
#else
using ElfHeader = Elf32_Ehdr;
using ProgramHeader = Elf32_Phdr;
using SectionHeader = Elf32_Shdr;
constexpr unsigned char kElfClass = ELFCLASS32;
#endif
constexpr unsigned char kElfData = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? ELFDATA2LSB : ELFDATA2MSB;
constexpr Elf32_Half kElfMachine =
#if defined(__x86_64__)
    EM_X86_64;
#elif defined(__i386__)
    EM_386;
#elif defined(__aarch64__)
    EM_AARCH64;
#elif defined(__arm__)
    EM_ARM;
#elif defined(__powerpc64__)
    EM_PPC64;
#elif defined(__s390x__)
    EM_S390;
#elif defined(__mips__)
    EM_MIPS;
#elif defined(__riscv)
    EM_RISCV;
#else
#error "Name this machine's ELF e_machine value here"
#endif

// Whether path is a whole shared object for this machine. dlopen() maps the
// module's segments from the file, and a page the file does not reach kills
// the program with SIGBUS when touched: so the header must be this machine's,
// and every loadable segment and the section header table must lie within
// the file. Nothing but a regular file is opened: a FIFO would hang.
bool isWholeModule(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const quint64 size = quint64(file.size());
    // count entries of entryBytes each from offset on lie within the file.
    const auto within = [size](quint64 offset, quint64 count, quint64 entryBytes) {
        return offset <= size && count <= (size - offset) / entryBytes;
    };

    ElfHeader header;
    if (file.read(reinterpret_cast<char *>(&header), sizeof header) != qint64(sizeof header))
        return false;
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != kElfClass
        || header.e_ident[EI_DATA] != kElfData || header.e_ident[EI_VERSION] != EV_CURRENT
        || header.e_type != ET_DYN || header.e_machine != kElfMachine)
        return false;
    // With no section header table its offset is 0; with more than 0xff00
    // sections their count is in the first header, which must be there.
    if (header.e_shoff != 0
        && (header.e_shentsize != sizeof(SectionHeader)
            || !within(header.e_shoff, std::max<quint64>(header.e_shnum, 1),
                       sizeof(SectionHeader))))
        return false;
    if (header.e_phentsize != sizeof(ProgramHeader) || header.e_phnum == 0
        || header.e_phnum == PN_XNUM
        || !within(header.e_phoff, header.e_phnum, sizeof(ProgramHeader)))
        return false;

    // At most 0xfffe entries, and all within the file: the read is bounded by both.
    std::vector<ProgramHeader> segments(header.e_phnum);
    const auto tableBytes = qint64(segments.size() * sizeof(ProgramHeader));
    if (!file.seek(qint64(header.e_phoff))
        || file.read(reinterpret_cast<char *>(segments.data()), tableBytes) != tableBytes)
        return false;
    return std::all_of(segments.cbegin(), segments.cend(), [&](const ProgramHeader &segment) {
        return segment.p_type != PT_LOAD || within(segment.p_offset, segment.p_filesz, 1);
    });
}

// Stands in for a module that is missing or broken.
class AlertOnly : public SoundOutput {
public:
    void play(const QString &) override { QApplication::beep(); }
};

} // namespace

LoadedSoundOutput::LoadedSoundOutput(QStringList folders) : m_folders(std::move(folders)) {}

LoadedSoundOutput::~LoadedSoundOutput() = default;

void LoadedSoundOutput::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    for (const QString &folder : m_folders) {
        // Only the file checked is loaded: QLibrary tries an absolute path as
        // given first, and no other name once a file of that name exists.
        const QString path = QDir(folder).filePath(QString::fromLatin1(kModule));
        if (!isWholeModule(path))
            continue;
        // Never unloaded: the output's objects live until the program ends.
        QLibrary library(path);
        if (auto create = reinterpret_cast<Factory>(library.resolve(kFactory))) {
            m_output.reset(create());
            return;
        }
    }
    qWarning("marvesto: no usable sound module (%s) in %s; cues sound the alert", kModule,
             qPrintable(m_folders.join(QStringLiteral(", "))));
    m_output = std::make_unique<AlertOnly>();
}

void LoadedSoundOutput::play(const QString &path)
{
    load();
    m_output->play(path);
}

} // namespace marvesto
