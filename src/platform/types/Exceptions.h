#pragma once

#include <QString>
#include <exception>
#include <string>

namespace zov {

// Message texts shown to the user when an operation fails.
inline constexpr const char* SListIndexError = "Index out of range (%d)";
inline constexpr const char* SListEnumerationError = "List enumeration is not initialized";
inline constexpr const char* SPointIndexError = "Invalid point index. (%d)";
inline constexpr const char* SLinkCreateError = "Cannot create link with the specified parameters";
inline constexpr const char* SInvalidStreamContent = "Invalid stream content";
inline constexpr const char* SInvalidStreamFormat = "Invalid stream format";
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SUnknownProperty = "Eigenschaft %s existiert nicht";
inline constexpr const char* SInvalidPropertyValue = "Invalid property value";
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* SAbstractError = "Abstract Error";
inline constexpr const char* SFOpenErrorEx = "Cannot open file \"%s\". %s";
inline constexpr const char* SFCreateErrorEx = "Cannot create file \"%s\". %s";
inline constexpr const char* SInvalidPictureFile = "\"%s\" holds no picture that can be shown.";

// Base of every failure the program reports; carries the text shown to the user.
class Exception : public std::exception {
public:
    explicit Exception(QString message);

    // Formats a message with one integer argument in place of "%d".
    static QString Format(const char* pattern, int value);
    // Formats a message with string arguments in place of each "%s", in order.
    static QString Format(const char* pattern, std::initializer_list<QString> values);

    const QString& Message() const { return fMessage; }
    const char* what() const noexcept override { return fUtf8.c_str(); }

private:
    QString fMessage;
    std::string fUtf8;
};

class EListError : public Exception {
    using Exception::Exception;
};
class EPointListError : public Exception {
    using Exception::Exception;
};
class EGraphStreamError : public Exception {
    using Exception::Exception;
};
class EGraphInvalidOperation : public Exception {
    using Exception::Exception;
};
class EStreamError : public Exception {
    using Exception::Exception;
};
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
    using EStreamError::EStreamError;
};
class EConvertError : public Exception {
    using Exception::Exception;
};
class EInvalidGraphic : public Exception {
    using Exception::Exception;
};
class EAbstractError : public Exception {
    using Exception::Exception;
};

} // namespace zov
