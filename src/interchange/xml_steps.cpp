#include "xml_steps.h"

#include <QString>

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

} // namespace plax
