#include "platform/stream/Filer.h"

#include "platform/stream/Windows1252.h"
#include "platform/types/Exceptions.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace zov {
namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
constexpr int kMaxNesting = 64;
constexpr uint8_t kPrefixMask = 0xF0;
constexpr uint8_t kFlagChildPos = 0x02;

[[noreturn]] void ReadFailure() {
    throw EReadError(QString::fromUtf8(SReadError));
}
[[noreturn]] void InvalidValue() {
    throw EReadError(QString::fromUtf8(SInvalidPropertyValue));
}
[[noreturn]] void InvalidFormat() {
    throw EReadError(QString::fromUtf8(SInvalidStreamFormat));
}

int FindName(std::span<const char* const> names, const QString& name) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (name.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Finds the reader of one defined property by name.
class TDefinedPropertyLookup : public TFiler {
public:
    explicit TDefinedPropertyLookup(QString name) : fName(std::move(name)) {}

    void DefineProperty(const QString& name, const TReaderProc& read, const TWriterProc&,
                        bool) override {
        if (!fFound && name.compare(fName, Qt::CaseInsensitive) == 0 && read) {
            fFound = true;
            fRead = read;
        }
    }
    void DefineBinaryProperty(const QString& name, const TStreamProc& read, const TStreamProc&,
                              bool) override {
        if (!fFound && name.compare(fName, Qt::CaseInsensitive) == 0 && read) {
            fFound = true;
            fReadBinary = read;
        }
    }

    bool Found() const { return fFound; }
    void Read(TReader& reader) const {
        if (fRead) {
            fRead(reader);
            return;
        }
        TMemoryStream block(reader.ReadBinary());
        fReadBinary(block);
    }

private:
    QString fName;
    bool fFound = false;
    TReaderProc fRead;
    TStreamProc fReadBinary;
};

} // namespace

// ---- Writer --------------------------------------------------------------------------

void TWriter::WriteRootComponent(const QString& className, const TPersistent& root) {
    WriteSignature();
    WriteShortString(className);
    WriteShortString(QString());
    WriteProperties(root, QString());
    WriteListEnd();
    WriteListEnd();
}

void TWriter::WriteProperties(const TPersistent& object, const QString& prefix) {
    for (const TPropertyInfo& property : object.Properties()) {
        WriteProperty(object, property, prefix);
    }
    const QString saved = fPrefix;
    fPrefix = prefix;
    // Defining properties does not change the object; the filer interface is shared
    // with reading, which does.
    const_cast<TPersistent&>(object).DefineProperties(*this);
    fPrefix = saved;
}

void TWriter::WriteProperty(const TPersistent& object, const TPropertyInfo& property,
                            const QString& prefix) {
    if (property.Stored && !property.Stored(object)) {
        return;
    }
    const QString name = prefix + property.Name;
    switch (property.Type) {
    case TPropertyType::Integer: {
        const int64_t value = property.GetOrdinal(object);
        if (property.Default == value) {
            return;
        }
        WritePropName(name);
        const auto ident =
            property.IntToIdent ? property.IntToIdent(static_cast<int32_t>(value)) : std::nullopt;
        if (ident) {
            WriteIdent(*ident);
        } else {
            WriteInteger(value);
        }
        return;
    }
    case TPropertyType::Enumeration:
    case TPropertyType::Boolean: {
        const int64_t value = property.GetOrdinal(object);
        if (property.Default == value) {
            return;
        }
        WritePropName(name);
        if (property.Type == TPropertyType::Boolean) {
            WriteBoolean(value != 0);
        } else if (value >= 0 && value < static_cast<int64_t>(property.ElementNames.size())) {
            WriteIdent(QString::fromLatin1(property.ElementNames[static_cast<size_t>(value)]));
        } else {
            WriteInteger(value);
        }
        return;
    }
    case TPropertyType::Set: {
        const int64_t bits = property.GetOrdinal(object);
        if (property.Default == bits) {
            return;
        }
        QStringList names;
        for (size_t i = 0; i < property.ElementNames.size() && i < 64; ++i) {
            if ((bits >> i) & 1) {
                names.append(QString::fromLatin1(property.ElementNames[i]));
            }
        }
        WritePropName(name);
        WriteSet(names);
        return;
    }
    case TPropertyType::String: {
        const QString text = property.GetString(object);
        if (!text.isEmpty()) {
            WritePropName(name);
            WriteString(text);
        }
        return;
    }
    case TPropertyType::Object: {
        TPersistent* sub = property.GetObject(const_cast<TPersistent&>(object));
        if (sub == nullptr) {
            WritePropName(name);
            WriteValueType(vaNil);
        } else {
            WriteProperties(*sub, name + QLatin1Char('.'));
        }
        return;
    }
    }
}

void TWriter::WriteSignature() {
    WriteRaw(kSignature, sizeof kSignature);
}

void TWriter::WriteValueType(TValueType type) {
    const auto byte = static_cast<uint8_t>(type);
    WriteRaw(&byte, 1);
}

void TWriter::WriteShortString(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    if (utf8.size() > 255) {
        // Cut before a whole character, never inside one.
        qsizetype end = 255;
        while (end > 0 && (static_cast<uint8_t>(utf8[end]) & 0xC0) == 0x80) {
            --end;
        }
        utf8.truncate(end);
    }
    const auto length = static_cast<uint8_t>(utf8.size());
    WriteRaw(&length, 1);
    WriteRaw(utf8.constData(), utf8.size());
}

void TWriter::WriteInteger(int64_t value) {
    if (value >= std::numeric_limits<int8_t>::min() &&
        value <= std::numeric_limits<int8_t>::max()) {
        WriteValueType(vaInt8);
        fStream.WriteLE(static_cast<int8_t>(value));
    } else if (value >= std::numeric_limits<int16_t>::min() &&
               value <= std::numeric_limits<int16_t>::max()) {
        WriteValueType(vaInt16);
        fStream.WriteLE(static_cast<int16_t>(value));
    } else if (value >= std::numeric_limits<int32_t>::min() &&
               value <= std::numeric_limits<int32_t>::max()) {
        WriteValueType(vaInt32);
        fStream.WriteLE(static_cast<int32_t>(value));
    } else {
        WriteValueType(vaInt64);
        fStream.WriteLE(value);
    }
}

void TWriter::WriteIdent(const QString& ident) {
    if (ident.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        WriteValueType(vaFalse);
    } else if (ident.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        WriteValueType(vaTrue);
    } else if (ident.compare(QLatin1String("Null"), Qt::CaseInsensitive) == 0) {
        WriteValueType(vaNull);
    } else if (ident.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0) {
        WriteValueType(vaNil);
    } else {
        WriteValueType(vaIdent);
        WriteShortString(ident);
    }
}

void TWriter::WriteString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() >= 2 * text.size()) {
        WriteValueType(vaWString);
        fStream.WriteLE(static_cast<int32_t>(text.size()));
        for (const QChar c : text) {
            fStream.WriteLE(static_cast<uint16_t>(c.unicode()));
        }
        return;
    }
    const bool ascii =
        std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<uint8_t>(c) < 128; });
    if (!ascii) {
        WriteValueType(vaUTF8String);
        fStream.WriteLE(static_cast<int32_t>(utf8.size()));
    } else if (utf8.size() >= 256) {
        WriteValueType(vaLString);
        fStream.WriteLE(static_cast<int32_t>(utf8.size()));
    } else {
        WriteValueType(vaString);
        const auto length = static_cast<uint8_t>(utf8.size());
        WriteRaw(&length, 1);
    }
    WriteRaw(utf8.constData(), utf8.size());
}

void TWriter::WriteSet(const QStringList& names) {
    WriteValueType(vaSet);
    for (const QString& name : names) {
        WriteShortString(name);
    }
    WriteShortString(QString());
}

void TWriter::WriteBinary(const QByteArray& bytes) {
    WriteValueType(vaBinary);
    fStream.WriteLE(static_cast<int32_t>(bytes.size()));
    WriteRaw(bytes.constData(), bytes.size());
}

void TWriter::WriteDouble(double value) {
    WriteValueType(vaDouble);
    fStream.WriteLE(std::bit_cast<uint64_t>(value));
}

void TWriter::WriteSingle(float value) {
    WriteValueType(vaSingle);
    fStream.WriteLE(std::bit_cast<uint32_t>(value));
}

void TWriter::WriteExtended(double value) {
    WriteValueType(vaExtended);
    uint64_t mantissa = 0;
    uint16_t exponent = 0;
    const uint16_t sign = std::signbit(value) ? 0x8000 : 0;
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (value != 0) {
        int e = 0;
        const double m = std::frexp(std::abs(value), &e); // 0.5 <= m < 1
        mantissa = static_cast<uint64_t>(std::ldexp(m, 64));
        exponent = static_cast<uint16_t>(e - 1 + 16383);
    }
    fStream.WriteLE(mantissa);
    fStream.WriteLE(static_cast<uint16_t>(exponent | sign));
}

void TWriter::WriteCurrency(int64_t scaled) {
    WriteValueType(vaCurrency);
    fStream.WriteLE(scaled);
}

void TWriter::WriteDate(double value) {
    WriteValueType(vaDate);
    fStream.WriteLE(std::bit_cast<uint64_t>(value));
}

void TWriter::DefineProperty(const QString& name, const TReaderProc&, const TWriterProc& write,
                             bool hasData) {
    if (hasData && write) {
        WritePropName(fPrefix + name);
        write(*this);
    }
}

void TWriter::DefineBinaryProperty(const QString& name, const TStreamProc&,
                                   const TStreamProc& write, bool hasData) {
    if (hasData && write) {
        TMemoryStream block;
        write(block);
        WritePropName(fPrefix + name);
        WriteBinary(block.Bytes());
    }
}

// ---- Reader --------------------------------------------------------------------------

void TReader::ReadRootComponent(TPersistent& root) {
    ReadSignature();
    ReadPrefix();
    ReadShortString(); // class name
    ReadShortString(); // object name
    while (!EndOfList()) {
        ReadProperty(root);
    }
    ReadListEnd();
    if (!EndOfList()) {
        InvalidFormat(); // graph objects have no child components
    }
    ReadListEnd();
}

void TReader::ReadProperty(TPersistent& root) {
    const QString path = ReadShortString();
    const QStringList parts = path.split(QLatin1Char('.'));
    auto unknown = [&]() {
        SkipValue();
        throw EReadError(Exception::Format(SUnknownProperty, {path}));
    };
    TPersistent* current = &root;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const TPropertyInfo* p = current->FindProperty(parts[i]);
        TPersistent* sub =
            p != nullptr && p->Type == TPropertyType::Object ? p->GetObject(*current) : nullptr;
        if (sub == nullptr) {
            unknown();
        }
        current = sub;
    }
    if (const TPropertyInfo* p = current->FindProperty(parts.back())) {
        ReadPropertyValue(*current, *p);
        return;
    }
    TDefinedPropertyLookup lookup(parts.back());
    current->DefineProperties(lookup);
    if (!lookup.Found()) {
        unknown();
    }
    lookup.Read(*this);
}

void TReader::ReadPropertyValue(TPersistent& object, const TPropertyInfo& property) {
    switch (property.Type) {
    case TPropertyType::Integer: {
        if (NextValue() == vaIdent && property.IdentToInt != nullptr) {
            ReadValueType();
            const auto value = property.IdentToInt(ReadShortString());
            if (!value) {
                InvalidValue();
            }
            property.SetOrdinal(object, *value);
        } else {
            property.SetOrdinal(object, ReadInteger());
        }
        return;
    }
    case TPropertyType::Enumeration: {
        const int index = FindName(property.ElementNames, ReadIdent());
        if (index < 0) {
            InvalidValue();
        }
        property.SetOrdinal(object, index);
        return;
    }
    case TPropertyType::Boolean:
        property.SetOrdinal(object, ReadBoolean() ? 1 : 0);
        return;
    case TPropertyType::Set: {
        int64_t bits = 0;
        for (const QString& name : ReadSet()) {
            const int index = FindName(property.ElementNames, name);
            if (index < 0 || index >= 64) {
                InvalidValue();
            }
            bits |= int64_t{1} << index;
        }
        property.SetOrdinal(object, bits);
        return;
    }
    case TPropertyType::String:
        property.SetString(object, ReadString());
        return;
    case TPropertyType::Object:
        // Sub-objects are read property by property; the only value of their own is
        // nil, for those that can be emptied.
        if (NextValue() == vaNil && property.SetNil) {
            ReadValueType();
            property.SetNil(object);
            return;
        }
        InvalidValue();
    }
}

void TReader::ReadSignature() {
    char signature[sizeof kSignature];
    if (fStream.Remaining() < static_cast<int64_t>(sizeof signature)) {
        InvalidFormat();
    }
    fStream.ReadBuffer(signature, sizeof signature);
    if (std::memcmp(signature, kSignature, sizeof signature) != 0) {
        InvalidFormat();
    }
}

void TReader::ReadPrefix() {
    const auto flags = static_cast<uint8_t>(NextValue());
    if ((flags & kPrefixMask) == kPrefixMask) {
        ReadValueType();
        if (flags & kFlagChildPos) {
            ReadInteger();
        }
    }
}

TValueType TReader::NextValue() {
    const TValueType type = ReadValueType();
    fStream.SetPosition(fStream.Position() - 1);
    return type;
}

TValueType TReader::ReadValueType() {
    return static_cast<TValueType>(fStream.ReadLE<uint8_t>());
}

QString TReader::ReadShortString() {
    const uint8_t length = fStream.ReadLE<uint8_t>();
    QByteArray bytes(length, Qt::Uninitialized);
    fStream.ReadBuffer(bytes.data(), length);
    return QString::fromUtf8(bytes);
}

void TReader::CheckValue(TValueType expected) {
    if (ReadValueType() != expected) {
        InvalidValue();
    }
}

int32_t TReader::ReadInteger() {
    switch (ReadValueType()) {
    case vaInt8:
        return fStream.ReadLE<int8_t>();
    case vaInt16:
        return fStream.ReadLE<int16_t>();
    case vaInt32:
        return fStream.ReadLE<int32_t>();
    default:
        InvalidValue();
    }
}

int64_t TReader::ReadInt64() {
    if (NextValue() == vaInt64) {
        ReadValueType();
        return fStream.ReadLE<int64_t>();
    }
    return ReadInteger();
}

bool TReader::ReadBoolean() {
    switch (ReadValueType()) {
    case vaFalse:
        return false;
    case vaTrue:
        return true;
    case vaIdent: {
        const QString ident = ReadShortString();
        if (ident.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
            return true;
        }
        if (ident.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            return false;
        }
        InvalidValue();
    }
    default:
        InvalidValue();
    }
}

QString TReader::ReadIdent() {
    switch (ReadValueType()) {
    case vaIdent:
        return ReadShortString();
    case vaFalse:
        return QStringLiteral("False");
    case vaTrue:
        return QStringLiteral("True");
    case vaNil:
        return QStringLiteral("nil");
    case vaNull:
        return QStringLiteral("Null");
    default:
        InvalidValue();
    }
}

QString TReader::ReadSingleByteString(int64_t length) {
    if (length < 0 || length > fStream.Remaining()) {
        ReadFailure();
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    fStream.ReadBuffer(bytes.data(), length);
    return FromWindows1252(bytes);
}

QString TReader::ReadString() {
    switch (ReadValueType()) {
    case vaString:
        return ReadSingleByteString(fStream.ReadLE<uint8_t>());
    case vaLString:
        return ReadSingleByteString(fStream.ReadLE<int32_t>());
    case vaWString: {
        const int64_t count = fStream.ReadLE<int32_t>();
        if (count < 0 || 2 * count > fStream.Remaining()) {
            ReadFailure();
        }
        QString text(count, Qt::Uninitialized);
        for (int64_t i = 0; i < count; ++i) {
            text[i] = QChar(fStream.ReadLE<uint16_t>());
        }
        return text;
    }
    case vaUTF8String: {
        const int64_t count = fStream.ReadLE<int32_t>();
        if (count < 0 || count > fStream.Remaining()) {
            ReadFailure();
        }
        QByteArray bytes(count, Qt::Uninitialized);
        fStream.ReadBuffer(bytes.data(), count);
        return QString::fromUtf8(bytes);
    }
    default:
        InvalidValue();
    }
}

QStringList TReader::ReadSet() {
    CheckValue(vaSet);
    QStringList names;
    for (QString name = ReadShortString(); !name.isEmpty(); name = ReadShortString()) {
        names.append(name);
    }
    return names;
}

QByteArray TReader::ReadBinary() {
    CheckValue(vaBinary);
    const int64_t count = fStream.ReadLE<int32_t>();
    if (count < 0 || count > fStream.Remaining()) {
        ReadFailure();
    }
    QByteArray bytes(count, Qt::Uninitialized);
    fStream.ReadBuffer(bytes.data(), count);
    return bytes;
}

double TReader::ReadFloat() {
    switch (NextValue()) {
    case vaExtended: {
        ReadValueType();
        const auto mantissa = fStream.ReadLE<uint64_t>();
        const auto signExponent = fStream.ReadLE<uint16_t>();
        const int exponent = signExponent & 0x7FFF;
        const double sign = (signExponent & 0x8000) ? -1.0 : 1.0;
        if (exponent == 0x7FFF) {
            return (mantissa << 1) != 0 ? std::numeric_limits<double>::quiet_NaN()
                                        : sign * std::numeric_limits<double>::infinity();
        }
        return sign * std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
    }
    case vaDouble:
    case vaDate:
        ReadValueType();
        return std::bit_cast<double>(fStream.ReadLE<uint64_t>());
    case vaSingle:
        ReadValueType();
        return std::bit_cast<float>(fStream.ReadLE<uint32_t>());
    case vaCurrency:
        ReadValueType();
        return static_cast<double>(fStream.ReadLE<int64_t>()) / 10000.0;
    default:
        return static_cast<double>(ReadInt64());
    }
}

bool TReader::EndOfList() {
    return NextValue() == vaNull;
}

void TReader::ReadListBegin() {
    CheckValue(vaList);
}

void TReader::ReadListEnd() {
    CheckValue(vaNull);
}

void TReader::SkipBytes(int64_t count) {
    if (count < 0 || count > fStream.Remaining()) {
        ReadFailure();
    }
    fStream.SetPosition(fStream.Position() + count);
}

void TReader::SkipValue() {
    SkipValue(0);
}

void TReader::SkipValue(int depth) {
    if (depth > kMaxNesting) {
        InvalidFormat();
    }
    switch (ReadValueType()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
        return;
    case vaList:
        while (!EndOfList()) {
            SkipValue(depth + 1);
        }
        ReadListEnd();
        return;
    case vaInt8:
        SkipBytes(1);
        return;
    case vaInt16:
        SkipBytes(2);
        return;
    case vaInt32:
    case vaSingle:
        SkipBytes(4);
        return;
    case vaInt64:
    case vaCurrency:
    case vaDate:
    case vaDouble:
        SkipBytes(8);
        return;
    case vaExtended:
        SkipBytes(10);
        return;
    case vaString:
    case vaIdent:
        SkipBytes(fStream.ReadLE<uint8_t>());
        return;
    case vaBinary:
    case vaLString:
    case vaUTF8String:
        SkipBytes(fStream.ReadLE<int32_t>());
        return;
    case vaWString:
        SkipBytes(2 * static_cast<int64_t>(fStream.ReadLE<int32_t>()));
        return;
    case vaSet:
        while (!ReadShortString().isEmpty()) {
        }
        return;
    case vaCollection:
        while (!EndOfList()) {
            const TValueType next = NextValue();
            if (next == vaInt8 || next == vaInt16 || next == vaInt32) {
                SkipValue(depth + 1); // the item's order index
            }
            ReadListBegin();
            while (!EndOfList()) {
                ReadShortString();
                SkipValue(depth + 1);
            }
            ReadListEnd();
        }
        ReadListEnd();
        return;
    }
    InvalidFormat();
}

} // namespace zov
