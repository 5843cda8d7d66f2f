#include "support/MediaFacts.h"

#include "support/ChildRun.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quillabe::test {

MediaFacts ProbeMedia(const std::string& path) {
    RunResult r = RunProcess({"ffprobe", "-v", "error", "-show_entries",
                              "format=format_name,duration:format_tags=major_brand:stream="
                              "codec_type,codec_name,width,height,r_frame_rate,channels,"
                              "sample_rate",
                              "-of", "json", path});
    MediaFacts facts;
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    const QJsonObject format = root["format"].toObject();
    facts.container = format["format_name"].toString().toStdString();
    facts.brand = format["tags"].toObject()["major_brand"].toString().toStdString();
    facts.duration = format["duration"].toString().toDouble();
    for (const QJsonValue& value : root["streams"].toArray()) {
        const QJsonObject s = value.toObject();
        const std::string type = s["codec_type"].toString().toStdString();
        const std::string codec = s["codec_name"].toString().toStdString();
        if (type == "video" && facts.video.empty()) {
            facts.video = codec;
            facts.width = s["width"].toInt();
            facts.height = s["height"].toInt();
            facts.rate = s["r_frame_rate"].toString().toStdString();
        } else if (type == "audio" && facts.audio.empty()) {
            facts.audio = codec;
            facts.channels = s["channels"].toInt();
            facts.sampleRate = s["sample_rate"].toString().toInt();
        }
    }
    return facts;
}

} // namespace quillabe::test
