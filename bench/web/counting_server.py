# Serves a folder as python's own http.server does (no compression, a folder
# address answered by its index.html), and appends one line, "BYTES PATH",
# to a log for every file body it sends: what the bench reads as the bytes
# on the wire of a visit.
#   python3 counting_server.py PORT DIRECTORY LOG
import functools
import http.server
import shutil
import sys


class CountingHandler(http.server.SimpleHTTPRequestHandler):
    log_path = None

    def copyfile(self, source, outputfile):
        start = source.tell()
        shutil.copyfileobj(source, outputfile)
        with open(self.log_path, 'a') as log:
            log.write(f'{source.tell() - start} {self.path}\n')

    def log_message(self, *args):
        pass


def main():
    port, directory, log = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    CountingHandler.log_path = log
    handler = functools.partial(CountingHandler, directory=directory)
    http.server.ThreadingHTTPServer(('127.0.0.1', port), handler).serve_forever()


main()
