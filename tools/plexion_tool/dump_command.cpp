#include "dump_command.h"

#include "document_session.h"
#include "item_json.h"
#include "json_writer.h"
#include "kind_names.h"
#include "standard_output.h"
#include "tool_failure.h"

namespace plexion::tool {

void WriteDocumentJson(CJsonWriter& json, const CVKT_ResourceContainer& resources,
                       const ItemFormFor& formFor, const std::function<void()>& afterItem) {
    json.BeginObject();
    json.Key("name");
    json.Text(resources.GetName());
    json.Key("comments");
    json.Text(resources.GetComments());
    for (int kind = 0; kind < kKindCount; ++kind) {
        const CVKT_ResourceGroup& group = *resources.GroupAt(kind);
        json.Key(KindName(kind));
        json.BeginArray();
        for (int index = 0; index < group.Count(); ++index) {
            const CVKT_Resource& item = *group.GetAt(index);
            json.BeginObject();
            json.Key("id");
            json.Text(item.ID());
            json.Key("comments");
            json.Text(item.Comments());
            WriteItemFields(json, kind, item, formFor ? formFor(kind, index, item) : CItemForm());
            json.EndObject();
            if (afterItem) {
                afterItem();
            }
        }
        json.EndArray();
    }
    json.EndObject();
}

std::string DocumentJson(const CVKT_ResourceContainer& resources, CJsonWriter::Layout layout) {
    CJsonWriter json(layout);
    WriteDocumentJson(json, resources, {}, {});
    return json.Result();
}

int RunDump(const CToolOptions& options) {
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    session.DecodePictures();
    const bool pretty = options.Has("--pretty");
    PrintLine(DocumentJson(session.Resources(),
                           pretty ? CJsonWriter::Layout::Pretty : CJsonWriter::Layout::Compact));
    return kExitOk;
}

}  // namespace plexion::tool
