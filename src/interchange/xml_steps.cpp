#include "xml_steps.h"

#include <QString>

#include <string>

namespace plax {

bool NextChildElement(QXmlStreamReader& xml, const char* format) {
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: return true;
        case QXmlStreamReader::EndElement: return false;
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            xml.raiseError(
                QStringLiteral("a DTD or an entity, which %1 does not use").arg(QLatin1String(format)));
            return false;
        default: break;
        }
    }
    return false;
}

QString XmlText(std::string_view latin1) {
    std::string clean(latin1);
    for (char& c : clean) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') c = '?';
    }
    return QString::fromLatin1(clean.data(), static_cast<qsizetype>(clean.size()));
}

} // namespace plax
