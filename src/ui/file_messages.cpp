// Italian messages for failed file operations.
#include "ui/file_messages.h"

#include <cerrno>
#include <cstdio>

namespace zembro {

std::string ItalianFileReason(int error) {
    switch (error) {
    case ENOENT:
        return "il file non esiste";
    case EACCES:
    case EPERM:
        return "permesso negato";
    case EROFS:
        return "il disco è in sola lettura";
    case ENOSPC:
    case EDQUOT:
        return "spazio esaurito sul disco";
    case EFBIG:
        return "il file supera la dimensione massima consentita";
    case EISDIR:
    case FILE_ERROR_NOT_REGULAR:
        return "non è un file normale (è una cartella, una FIFO o un dispositivo)";
    case FILE_ERROR_LOCKED:
        return "un altro programma lo sta scrivendo e non ha finito in tempo";
    case FILE_ERROR_READ_LOCKED:
        return "un altro programma lo sta leggendo e non ha finito in tempo";
    case FILE_ERROR_FOREIGN_LINK:
        return "è un collegamento simbolico creato da un altro utente e non viene seguito";
    case FILE_ERROR_RACED:
        return "un altro programma lo ha creato nello stesso momento";
    case FILE_ERROR_MALFORMED:
        return "il contenuto non è valido";
    case ELOOP:
        return "troppi collegamenti simbolici";
    case ENAMETOOLONG:
        return "il percorso è troppo lungo";
    case EIO:
        return "errore di lettura o scrittura sul disco";
    default:
        return "errore di sistema " + std::to_string(error);
    }
}

void TellFileFailure(platform::Framework& framework, const platform::FrameWindow* owner,
                     const std::string& caption, const std::string& what, const std::string& file,
                     const IoResult& failure) {
    std::fprintf(stderr, "zembro: %s\n", failure.Reason().c_str());
    framework.MessageBox(owner, what + " " + file + ":\n" + ItalianFileReason(failure.Error()),
                         caption, platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
}

} // namespace zembro
