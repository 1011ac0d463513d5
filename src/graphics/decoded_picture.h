#pragma once

#include <QImage>

namespace plexion {

// Why a decoder gave no picture.
enum class EDecodeProblem {
    None,
    NotAPicture,  // not a format the codecs read, malformed, or too large
    TooMuchWork,  // a metafile asking for more drawing than a picture may take
};

struct SDecodedPicture {
    QImage image;  // null unless problem is None
    EDecodeProblem problem = EDecodeProblem::None;

    static SDecodedPicture Of(QImage image) {
        const bool failed = image.isNull();
        return {std::move(image), failed ? EDecodeProblem::NotAPicture : EDecodeProblem::None};
    }
    static SDecodedPicture Failed(EDecodeProblem problem) { return {QImage(), problem}; }
};

}  // namespace plexion
