#include "PdfOutput.h"

#include <QDir>

namespace zov {

int PdfPaperCode(TPaperType paper) {
    switch (paper) {
    case pLetter:
        return 1;
    case pA4:
        return 2;
    case pA3:
        return 3;
    case pLegal:
        return 4;
    case pB5:
        return 5;
    case pB4:
        return 8;
    case pA5:
        return 9;
    case pFolio:
        return 10;
    case pExecutive:
        return 11;
    case pEnvB4:
        return 12;
    case pEnvB5:
        return 13;
    case pEnvDL:
        return 15;
    case pEnvMonarch:
        return 16;
    default:
        return 0;
    }
}

TPdfPage PdfPage(TPaperType paper, TPrinterOrientation orientation, int32_t widthHiMetric,
                 int32_t heightHiMetric) {
    return {PdfPaperCode(paper), orientation == poLandscape ? 1 : 0, widthHiMetric, heightHiMetric};
}

void WritePdf(const TPdfFunctions& library, const QString& fileName, int pageCount,
              const std::function<QByteArray(int page)>& page, const TPdfPage& setup) {
    const auto failed = [&fileName] {
        return EFCreateError(Exception::Format(
            SFCreateErrorEx, {fileName, QStringLiteral("The PDF could not be written.")}));
    };
    const QByteArray name = fileName.toUtf8();
    if (library.BeginDoc(name.constData()) != 0) {
        throw failed();
    }
    bool ok = true;
    try {
        for (int i = 1; i <= pageCount && ok; ++i) {
            const QByteArray metafile = page(i);
            if (i > 1) {
                ok = library.NewPage() == 0;
            }
            ok = ok &&
                 library.SetPage(setup.paper, setup.orientation, setup.width, setup.height) == 0;
            ok = ok &&
                 library.PrintPageM(metafile.constData(), static_cast<int>(metafile.size())) == 0;
        }
    } catch (...) {
        library.EndDoc();
        throw;
    }
    if (library.EndDoc() != 0 || !ok) {
        throw failed();
    }
}

TPdfLibrary& TPdfLibrary::Program(const QString& folder) {
    static TPdfLibrary library(folder);
    return library;
}

TPdfLibrary::TPdfLibrary(const QString& folder)
    : fLibrary(QDir(folder).absoluteFilePath(QStringLiteral("dspdf"))) {
    if (!QDir::isAbsolutePath(folder) || !fLibrary.load()) {
        return;
    }
    const auto resolve = [this](const char* name) {
        return fLibrary.resolve(name);
    };
    using TBeginDoc = int (*)(const char*);
    using TNoArguments = int (*)();
    using TPrintPageM = int (*)(const void*, int);
    using TSetPage = int (*)(int, int, int, int);
    const auto beginDoc = reinterpret_cast<TBeginDoc>(resolve("BeginDoc"));
    const auto endDoc = reinterpret_cast<TNoArguments>(resolve("EndDoc"));
    const auto newPage = reinterpret_cast<TNoArguments>(resolve("NewPage"));
    const auto printPageM = reinterpret_cast<TPrintPageM>(resolve("PrintPageM"));
    const auto printPageF = reinterpret_cast<TBeginDoc>(resolve("PrintPageF"));
    const auto setPage = reinterpret_cast<TSetPage>(resolve("SetPage"));
    if (beginDoc == nullptr || endDoc == nullptr || newPage == nullptr || printPageM == nullptr ||
        printPageF == nullptr || setPage == nullptr) {
        fLibrary.unload();
        return;
    }
    fFunctions = {beginDoc, endDoc, newPage, printPageM, printPageF, setPage};
    fLoaded = true;
}

const TPdfFunctions& TPdfLibrary::Functions() const {
    if (!fLoaded) {
        throw EMissingPDFLibrary(QString::fromLatin1(SMissingPdfLibrary));
    }
    return fFunctions;
}

} // namespace zov
