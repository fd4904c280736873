<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Guestbook</title>
<link rel="stylesheet" href="../style.css">
</head>
<body>
<h1>Guestbook</h1>
<p>The guestbook needs a web server; on a CD it shows only this text.</p>
</body>
</html>
