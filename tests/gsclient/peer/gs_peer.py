#!/usr/bin/python3
"""A loopback game server for the client's tests.

Written apart from the C++ codec on purpose: it decodes request packets and
encodes reply packets on its own, so the two sides check each other.

Started by the tests (tests/gsclient/peer/gs_peer_process.*), it listens on
HOST:PORT and prints one line on standard output: "ready" once it listens, or
"error TEXT" before it exits. It is then driven by one command per line on
standard input, each answered with one line, "ok[ PAYLOAD]" or "error TEXT":

  mode NAME [COUNT]      how to answer the next COUNT requests (all when no
                         COUNT), then "normal" again:
                           normal, refuse (stop listening: connections are
                           refused), silent (read the request, never answer),
                           http-NNN (that HTTP status, no body), bad-crc (one
                           CRC bit flipped), bad-magic0, bad-magic1 (that
                           header byte 2), truncated (body cut short of a
                           block), length-over (plain length 7 past the text),
                           length-huge (plain length 0x7fffffff), garbage (no
                           packet at all), short (10 bytes)
  app-status N           the application status of replies (0: replies carry
                         a body; otherwise the 16-byte header alone)
  user ID NAME           create or replace a user (NAME may be empty)
  savedata ID KEY VALUE  set one savedata value of a user
  online ID 0|1          the online flag user/load reports
  get ID                 ok JSON of the user (name, savedata, online, rankings)
  last PATH              ok the plain text of the last request on PATH
  agent PATH             ok the User-Agent of the last request on PATH
  count PATH             ok the number of requests decoded on PATH
  error                  ok the last decoding error (empty if none)
  quit                   stop

The key: the client's stored 32-byte constant, unmasked, combined byte by byte
with the title key given on the command line.
"""

import argparse
import http.server
import json
import os
import sys
import threading
import zlib

from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes

KEY_CONSTANT = bytes.fromhex(
    "827cef3a2a74c310192d6ec2e227416733b44dbf3a88f4c1664e1f1ff262321c")
HEADER_BYTES = 16
BLOCK = 16
SILENT_LIMIT_SECONDS = 60
PATHS = ("/api/user/load", "/api/user/save", "/api/user/heartbeat", "/api/server/alive")


class BadRequest(Exception):
    pass


def compact(value):
    return json.dumps(value, separators=(",", ":"), sort_keys=True,
                      ensure_ascii=False).encode("utf-8")


class Codec:
    def __init__(self, title_key, game_id):
        if len(title_key) != 32:
            raise ValueError("title key must be 32 bytes")
        self.key = bytes(a ^ b for a, b in zip(KEY_CONSTANT, title_key))
        self.game_id = game_id

    def _cipher(self, iv):
        return Cipher(algorithms.AES(self.key), modes.CBC(iv))

    def decode_request(self, packet):
        if len(packet) < HEADER_BYTES + BLOCK:
            raise BadRequest("packet of %d bytes" % len(packet))
        header, body = packet[:HEADER_BYTES], packet[HEADER_BYTES:]
        if header[0] != 1 or header[1] != 1:
            raise BadRequest("magic %02x %02x" % (header[0], header[1]))
        if self.game_id is not None and header[4:8] != self.game_id:
            raise BadRequest("game id %r" % header[4:8])
        if len(body) % BLOCK:
            raise BadRequest("body of %d bytes" % len(body))
        decryptor = self._cipher(header).decryptor()
        padded = decryptor.update(body) + decryptor.finalize()
        pad = padded[-1]
        if not 1 <= pad <= BLOCK or padded[-pad:] != bytes([pad]) * pad:
            raise BadRequest("padding %d" % pad)
        try:
            plain = zlib.decompress(padded[:-pad])
        except zlib.error as e:
            raise BadRequest("inflate: %s" % e)
        crc = int.from_bytes(header[8:12], "big")
        if zlib.crc32(plain) != crc:
            raise BadRequest("crc %08x, text %08x" % (crc, zlib.crc32(plain)))
        return {"major": header[2], "minor": header[3], "plain": plain}

    def encode_reply(self, plain, app_status, mode):
        header = bytearray(HEADER_BYTES)
        header[0] = 2 if mode == "bad-magic0" else 1
        header[1] = 2 if mode == "bad-magic1" else 1
        header[2:4] = app_status.to_bytes(2, "big")
        crc = zlib.crc32(plain)
        if mode == "bad-crc":
            crc ^= 1 << 9
        header[4:8] = crc.to_bytes(4, "big")
        length = len(plain)
        if mode == "length-over":
            length += 7
        elif mode == "length-huge":
            length = 0x7FFFFFFF
        header[8:12] = length.to_bytes(4, "big")
        header[12:16] = os.urandom(4)
        if app_status != 0:
            return bytes(header)
        deflated = zlib.compress(plain, 6)
        pad = BLOCK - len(deflated) % BLOCK
        encryptor = self._cipher(bytes(header)).encryptor()
        body = encryptor.update(deflated + bytes([pad]) * pad) + encryptor.finalize()
        if mode == "truncated":
            body = body[:-5]
        return bytes(header) + body


class Store:
    """Users by id, and what the peer has seen; guarded by one lock."""

    def __init__(self):
        self.lock = threading.Lock()
        self.users = {}
        self.last = {}
        self.agents = {}
        self.counts = {}
        self.error = ""
        self.mode = "normal"
        self.mode_count = None
        self.app_status = 0
        self.next_seq = 1

    def user(self, user_id):
        return self.users.setdefault(
            user_id, {"name": "", "savedata": {}, "online": 0, "rankings": []})

    def take_mode(self):
        mode = self.mode
        if self.mode_count is not None:
            self.mode_count -= 1
            if self.mode_count <= 0:
                self.mode, self.mode_count = "normal", None
        return mode

    # Each answer is called under the lock with the decoded request object.
    def answer(self, path, request):
        user_part = request.get("user", {})
        if path == "/api/server/alive":
            return {"result": 0}
        if not isinstance(user_part, dict) or not isinstance(user_part.get("user_id"), int):
            raise BadRequest("no user id")
        user_id = user_part["user_id"]
        user = self.user(user_id)
        token = "token-%d" % user_id
        control = request.get("control", {})
        if path == "/api/user/load":
            seq_id = ""
            if control.get("start_game") == 1:
                seq_id = "seq-%d" % self.next_seq
                self.next_seq += 1
            keys = user_part.get("savedata", {}).get("keys", [])
            savedata = {k: user["savedata"][k] for k in keys if k in user["savedata"]}
            return {"control": {"online": user["online"], "seq_id": seq_id, "token": token},
                    "user": {"name": user["name"], "savedata": savedata,
                             "user_id": user_id}}
        if path == "/api/user/save":
            user["savedata"].update(user_part.get("savedata", {}))
            user["rankings"].extend(request.get("rankings", []))
            return {"control": {"seq_id": "", "token": token}, "user": {"user_id": user_id}}
        return {"result": 0}


class Peer:
    def __init__(self, host, port, codec):
        self.host, self.port, self.codec = host, port, codec
        self.store = Store()
        self.stopping = threading.Event()
        self.server = None
        self.thread = None

    def listen(self):
        if self.server:
            return
        peer = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def log_message(self, *args):
                pass

            def do_POST(self):
                peer.handle(self)

        self.server = http.server.ThreadingHTTPServer((self.host, self.port), Handler)
        self.server.daemon_threads = True
        self.thread = threading.Thread(target=self.server.serve_forever,
                                       kwargs={"poll_interval": 0.05}, daemon=True)
        self.thread.start()

    def close(self):
        if not self.server:
            return
        self.server.shutdown()
        self.server.server_close()
        self.server = None

    def handle(self, handler):
        length = int(handler.headers.get("Content-Length", "0"))
        packet = handler.rfile.read(length)
        path = handler.path
        store = self.store
        with store.lock:
            mode = store.take_mode()
            app_status = store.app_status
            try:
                plain = self.codec.decode_request(packet)["plain"]
                request = json.loads(plain.decode("utf-8"))
                if not isinstance(request, dict):
                    raise BadRequest("not an object")
                store.last[path] = plain.decode("utf-8")
                store.agents[path] = handler.headers.get("User-Agent", "")
                store.counts[path] = store.counts.get(path, 0) + 1
                answer = store.answer(path, request) if path in PATHS else None
            except (BadRequest, ValueError) as e:
                store.error = "%s: %s" % (path, e)
                self.send(handler, 400, b"")
                return
        if mode == "silent":
            self.stopping.wait(SILENT_LIMIT_SECONDS)
            handler.close_connection = True
            return
        if mode.startswith("http-"):
            self.send(handler, int(mode[5:]), b"")
            return
        if answer is None:
            self.send(handler, 404, b"")
            return
        if mode == "garbage":
            reply = b"garbage " * 5
        elif mode == "short":
            reply = b"\x01\x01" + bytes(8)
        else:
            reply = self.codec.encode_reply(compact(answer), app_status, mode)
        self.send(handler, 200, reply)

    @staticmethod
    def send(handler, status, body):
        handler.send_response(status)
        handler.send_header("Content-Type", "application/octet-stream")
        handler.send_header("Content-Length", str(len(body)))
        handler.send_header("Connection", "close")
        handler.end_headers()
        handler.wfile.write(body)
        handler.close_connection = True

    def command(self, words):
        store = self.store
        name, args = words[0], words[1:]
        if name == "mode":
            mode = args[0]
            count = int(args[1]) if len(args) > 1 else None
            if mode == "refuse":
                self.close()
            else:
                self.listen()
            with store.lock:
                store.mode, store.mode_count = mode, count
            return ""
        with store.lock:
            if name == "app-status":
                store.app_status = int(args[0])
                return ""
            if name == "user":
                user = store.user(int(args[0]))
                user["name"] = " ".join(args[1:])
                user["savedata"], user["rankings"] = {}, []
                return ""
            if name == "savedata":
                store.user(int(args[0]))["savedata"][args[1]] = args[2]
                return ""
            if name == "online":
                store.user(int(args[0]))["online"] = int(args[1])
                return ""
            if name == "get":
                return compact(store.user(int(args[0]))).decode("utf-8")
            if name == "last":
                return store.last.get(args[0], "")
            if name == "agent":
                return store.agents.get(args[0], "")
            if name == "count":
                return str(store.counts.get(args[0], 0))
            if name == "error":
                return store.error
        raise ValueError("unknown command %r" % name)


def say(line):
    sys.stdout.write(line + "\n")
    sys.stdout.flush()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--host", required=True)
    parser.add_argument("--port", type=int, default=80)
    parser.add_argument("--title-key", required=True, help="64 hex digits")
    parser.add_argument("--game-id", help="the 4-character game id requests must carry")
    options = parser.parse_args()
    game_id = options.game_id.encode("ascii") if options.game_id else None
    peer = Peer(options.host, options.port,
                Codec(bytes.fromhex(options.title_key), game_id))
    try:
        peer.listen()
    except OSError as e:
        say("error %s" % e)
        return 1
    say("ready")
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        if words[0] == "quit":
            break
        try:
            payload = peer.command(words)
            say("ok " + payload if payload else "ok")
        except (ValueError, IndexError, OSError) as e:
            say("error %s" % e)
    peer.stopping.set()
    peer.close()
    say("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
