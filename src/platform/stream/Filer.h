#pragma once

#include "platform/stream/Persistent.h"
#include "platform/stream/Stream.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace zov {

// Tag byte in front of every value of a component stream.
enum TValueType : uint8_t {
    vaNull,
    vaList,
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaLString,
    vaNil,
    vaCollection,
    vaSingle,
    vaCurrency,
    vaDate,
    vaWString,
    vaInt64,
    vaUTF8String,
    vaDouble,
};

class TReader;
class TWriter;

// Passed to TPersistent::DefineProperties: the object declares each property it
// streams itself, with the code that reads it, writes it, and whether it has data
// to write.
class TFiler {
public:
    using TReaderProc = std::function<void(TReader&)>;
    using TWriterProc = std::function<void(TWriter&)>;
    using TStreamProc = std::function<void(TStream&)>;

    virtual void DefineProperty(const QString& name, const TReaderProc& read,
                                const TWriterProc& write, bool hasData) = 0;
    // The value is one binary block; read gets a stream holding exactly its bytes.
    virtual void DefineBinaryProperty(const QString& name, const TStreamProc& read,
                                      const TStreamProc& write, bool hasData) = 0;

protected:
    ~TFiler() = default;
};

// Writes component streams ("TPF0"): one root object with its properties under
// dotted names.
class TWriter : public TFiler {
public:
    explicit TWriter(TStream& stream) : fStream(stream) {}

    TStream& Stream() { return fStream; }

    // Signature, class name, empty object name, the properties, and the two ends.
    void WriteRootComponent(const QString& className, const TPersistent& root);
    // The stored published properties differing from their defaults, then the
    // defined properties, each named prefix + property name.
    void WriteProperties(const TPersistent& object, const QString& prefix);

    void WriteSignature();
    void WriteValueType(TValueType type);
    // One length byte and up to 255 bytes of UTF-8.
    void WriteShortString(const QString& text);
    void WritePropName(const QString& name) { WriteShortString(name); }
    // The smallest of vaInt8, vaInt16, vaInt32, vaInt64 that holds the value.
    void WriteInteger(int64_t value);
    void WriteBoolean(bool value) { WriteValueType(value ? vaTrue : vaFalse); }
    // vaIdent, except that False, True, Null and nil become their own tags.
    void WriteIdent(const QString& ident);
    // vaWString, vaUTF8String, vaLString or vaString, whichever the text needs.
    void WriteString(const QString& text);
    // vaSet with the names, ended by an empty name.
    void WriteSet(const QStringList& names);
    void WriteBinary(const QByteArray& bytes);
    void WriteDouble(double value);
    void WriteSingle(float value);
    // The 10-byte x87 extended format.
    void WriteExtended(double value);
    // An amount in units of 1/10000.
    void WriteCurrency(int64_t scaled);
    void WriteDate(double value);
    void WriteListBegin() { WriteValueType(vaList); }
    void WriteListEnd() { WriteValueType(vaNull); }

    void DefineProperty(const QString& name, const TReaderProc& read, const TWriterProc& write,
                        bool hasData) override;
    void DefineBinaryProperty(const QString& name, const TStreamProc& read,
                              const TStreamProc& write, bool hasData) override;

private:
    void WriteRaw(const void* data, int64_t count) { fStream.WriteBuffer(data, count); }
    void WriteProperty(const TPersistent& object, const TPropertyInfo& property,
                       const QString& prefix);

    TStream& fStream;
    QString fPrefix;
};

// Reads component streams. Input is untrusted: every length is checked against the
// bytes left, and malformed content raises EReadError.
class TReader {
public:
    explicit TReader(TStream& stream) : fStream(stream) {}

    TStream& Stream() { return fStream; }

    // Reads one whole component into root: signature, optional prefix, names, the
    // properties, and no child components.
    void ReadRootComponent(TPersistent& root);
    // One property record: a dotted name resolved from root, then its value.
    void ReadProperty(TPersistent& root);

    void ReadSignature();
    // Skips the optional inheritance-flags byte (and the child position it may carry).
    void ReadPrefix();
    TValueType NextValue();
    TValueType ReadValueType();
    QString ReadShortString();
    int32_t ReadInteger();
    int64_t ReadInt64();
    bool ReadBoolean();
    // An identifier; False, True, Null and nil also come as their own tags.
    QString ReadIdent();
    QString ReadString();
    QStringList ReadSet();
    QByteArray ReadBinary();
    double ReadFloat();
    bool EndOfList();
    void ReadListBegin();
    void ReadListEnd();
    void SkipValue();

private:
    void CheckValue(TValueType expected);
    void SkipValue(int depth);
    void SkipBytes(int64_t count);
    void ReadPropertyValue(TPersistent& object, const TPropertyInfo& property);
    QString ReadSingleByteString(int64_t length);

    TStream& fStream;
};

} // namespace zov
