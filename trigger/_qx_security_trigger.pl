#!/usr/bin/perl
# Zan Utility security trigger.
#
# Run by the pre-operation trigger types that Zan Utility installs:
#     ccperl <location>\_qx_security_trigger.pl <view drive> [<administrator list>]
#     perl   <location>/_qx_security_trigger.pl <view root or drive> [<administrator list>]
# Element paths come in either style: m:\<view tag>\<vob>\... on Windows clients,
# /view/<view tag>/<vob tag>/... on UNIX ones, where VOB tags have any number of components.
# It reads the operation, user, element and VOB from ClearCase's trigger environment and
# the access settings (string attributes "__<operation>" on version /main/0) through one
# cleartool describe of the versions it needs. Exit 0 lets the operation proceed silently; exit 1,
# after one line saying why, cancels it. Whenever the answer is not certain (an unreadable
# setting, an answer about another object, a missing trigger variable) it refuses.
#
# Trusted: ClearCase's trigger variables (CLEARCASE_*), the arguments and ClearCase's
# cleartool (its standard install location, else the one on the PATH). Nothing else from the environment takes part: no ZAN_* variable, and
# Perl options or library folders of the caller's choosing make the script start over
# without them.
#
# Written for old Perls too: core only, no say, no //, no lexical file handles.

BEGIN {
    my @tuning = grep { defined($ENV{$_}) } ('PERL5OPT', 'PERL5LIB', 'PERLLIB', 'PERL5DB', 'PERL_UNICODE');
    if (@tuning) {
        delete @ENV{@tuning};
        my $status = system { $^X } $^X, $0, @ARGV;
        if ($status == -1) {
            print STDERR "Zan Utility: The operation is refused: the security trigger could not restart itself ($!).\n";
            exit(1);
        }
        exit(($status & 127) ? 1 : ($status >> 8));
    }
}

# Strict, but checked once by the test suite (perl -Mstrict -c) instead of loading strict.pm
# before every guarded operation at the site: that load was a sixth of the script's own cost.

my $TITLE = 'Zan Utility';

# The privileged list when the VOB records none (the window's default "PrivOper").
my $DEFAULT_PRIVILEGED = 'mktype,rntype,rmtype,chevent,modtype,rmelem,rmhlink,rmtype,rntype,'
    . 'mkattype,mktrtype,mkeltype,mkhltype,mklbtype,mktrtype';
my $PRIVILEGED_ATTRIBUTE = 'QX_PRIVOPER';

# Operations that create a new name in a directory: the element has no /main/0 yet, so the
# directory that receives the name carries the setting.
my $NAME_CREATING_OPERATIONS = 'mkelem,mkslink,lnname';

# The tool's own attributes and trigger types: only administrators may change them.
my %OWN_ATTRIBUTES = map { $_ => 1 } ('QX_GROUPS', 'QX_EDITING', $PRIVILEGED_ATTRIBUTE);
my %OWN_TRIGGER_TYPES = map { $_ => 1 } ('_KORVANE_SECURITY1', '_KORVANE_SECURITY2', '_UCM_KORVANE_SECURITY');
my %TYPE_OPERATIONS = map { $_ => 1 } ('mktype', 'rmtype', 'rntype', 'modtype', 'lock', 'unlock', 'chevent', 'chmaster');

# CLEARCASE_MTYPE of a type, its name variable and the kind's own creation setting.
my %TYPE_KINDS = (
    'attribute type' => ['CLEARCASE_ATTYPE', 'mkattype'],
    'branch type'    => ['CLEARCASE_BRTYPE', 'mkbrtype'],
    'element type'   => ['CLEARCASE_ELTYPE', 'mkeltype'],
    'hyperlink type' => ['CLEARCASE_HLTYPE', 'mkhltype'],
    'label type'     => ['CLEARCASE_LBTYPE', 'mklbtype'],
    'trigger type'   => ['CLEARCASE_TRTYPE', 'mktrtype'],
);

delete @ENV{grep { /^ZAN_/ } keys(%ENV)};
$| = 1;
exit(main(@ARGV));

sub main {
    my ($driveArgument, $adminArgument) = @_;
    my $operation = environment('CLEARCASE_OP_KIND');
    my $user = environment('CLEARCASE_USER');
    my @administrators = commaSplit(defined($adminArgument) ? $adminArgument : '');

    # A post-operation run comes too late to stop anything.
    return 0 if lc(environment('CLEARCASE_TRTYPE_KIND')) eq 'post-operation';

    if ($user eq '') {
        return refuse(($operation eq '' ? 'The operation' : $operation)
            . ' is refused: the user performing it cannot be determined'
            . ' (CLEARCASE_USER is not set).');
    }
    if ($operation eq '') {
        return refuse("The operation is refused for $user: the trigger environment"
            . ' does not name it (CLEARCASE_OP_KIND is not set).');
    }
    my $ownObject = ownObjectChanged($operation);
    return decideOwnObject($operation, $ownObject, $user, $driveArgument, @administrators) if $ownObject ne '';

    # Administrators pass whatever the settings say; CLEARCASE_OVERRIDE=True adds nothing
    # for them and must never help anybody else, so it plays no part in the decision.
    return 0 if isListed($user, @administrators);
    return decideBySettings($operation, $user, $driveArgument, @administrators);
}

sub decideBySettings {
    my ($operation, $user, $driveArgument, @administrators) = @_;
    my %target = governingTarget($operation, $driveArgument);
    my $kindText = '';
    my @settings = ('__' . $operation);
    if ($operation eq 'mktype') {
        my $kind = $TYPE_KINDS{environment('CLEARCASE_MTYPE')};
        if (!$kind) {
            return refuse("mktype $target{label} is refused for $user: the kind of type being made cannot be"
                . ' determined (CLEARCASE_MTYPE is "' . environment('CLEARCASE_MTYPE') . '").');
        }
        push(@settings, '__' . $kind->[1]);
        $kindText = ' (' . environment('CLEARCASE_MTYPE') . ')';
    }
    if ($target{root} eq '') {
        return refuse("$operation$kindText $target{label} is refused for $user: the VOB root directory"
            . ' cannot be determined from the trigger environment.');
    }
    # One cleartool call answers everything: the root carries the privileged list and the
    # VOB-wide settings, the element (or receiving directory) its own.
    my @versions = ($target{root});
    push(@versions, $target{path})
        if !$target{vobWide} && comparablePath($target{path}) ne comparablePath($target{root});
    my ($readOk, $read, $readError) = readAttributes(\@versions, [$PRIVILEGED_ATTRIBUTE, @settings]);
    return unreadable($operation . $kindText, \%target, $user, $readError) if !$readOk;
    my ($listOk, $privileged, $listError) = attributeValue($read->[0], $PRIVILEGED_ATTRIBUTE);
    return unreadable($operation . $kindText, \%target, $user, $listError) if !$listOk;
    $privileged = $DEFAULT_PRIVILEGED if !defined($privileged);
    my $onRoot = @versions == 1 || index($privileged, $operation) >= 0;
    my $scope = ($onRoot && $target{elementPath} ne '') ? " in VOB $target{vob}" : '';

    foreach my $setting (@settings) {
        my ($valueOk, $value, $valueError) = attributeValue($read->[$onRoot ? 0 : 1], $setting);
        return unreadable($operation . $kindText, \%target, $user, $valueError) if !$valueOk;
        next if !defined($value) || allows($value, $user);
        return refuse("$user may not $operation$kindText $target{label}; allowed$scope: "
            . whoMay($value, @administrators) . '.', $setting);
    }
    return 0;
}

sub unreadable {
    my ($what, $target, $user, $error) = @_;
    return refuse("$what $target->{label} is refused for $user: its access settings"
        . " could not be read, so nothing is allowed ($error).");
}

# The tool's own attribute or trigger type the operation changes, in words; "" for none.
sub ownObjectChanged {
    my ($operation) = @_;
    if ($operation eq 'mkattr' || $operation eq 'rmattr') {
        my $name = environment('CLEARCASE_ATTYPE');
        return 'an attribute whose type is not named' if $name eq '';
        return isOwnAttribute($name) ? "attribute $name" : '';
    }
    return '' if !$TYPE_OPERATIONS{$operation};
    my $kind = environment('CLEARCASE_MTYPE');
    if ($kind eq 'attribute type') {
        my $name = environment('CLEARCASE_ATTYPE');
        return ($name eq '' || isOwnAttribute($name)) ? "attribute type $name" : '';
    }
    if ($kind eq 'trigger type') {
        my $name = environment('CLEARCASE_TRTYPE');
        return ($name eq '' || $OWN_TRIGGER_TYPES{$name}) ? "trigger type $name" : '';
    }
    return '';
}

sub isOwnAttribute {
    my ($name) = @_;
    return substr($name, 0, 2) eq '__' || $OWN_ATTRIBUTES{$name};
}

# Only the administrators may change what holds the settings; with no administrators,
# only the VOB owner.
sub decideOwnObject {
    my ($operation, $object, $user, $driveArgument, @administrators) = @_;
    my @admins = grep { $_ ne '' } @administrators;
    if (@admins) {
        return 0 if isListed($user, @admins);
        return refuse("$user may not $operation $object: it holds $TITLE settings, which only the"
            . ' administrators (' . join(', ', @admins) . ') may change.', 'administrators');
    }
    my %target = governingTarget($operation, $driveArgument);
    my ($ok, $owner, $error) = vobOwner($target{vob});
    if (!$ok) {
        return refuse("$operation $object is refused for $user: it holds $TITLE settings and the VOB owner"
            . " could not be determined ($error).");
    }
    (my $account = $owner) =~ s/^.*[\\\/]//;
    return 0 if isListed($user, $owner, $account);
    return refuse("$user may not $operation $object: it holds $TITLE settings, which only the VOB owner"
        . " ($owner) may change.", 'VOB owner');
}

# $setting: what decided (an attribute such as __checkout, "administrators", "VOB owner"),
# empty when the trigger environment itself was wanting.
sub refuse {
    my ($reason, $setting) = @_;
    $reason =~ s/[\r\n]+/ /g;
    print STDERR "$TITLE: $reason\n";
    recordRefusal($reason, defined($setting) ? $setting : '');
    return 1;
}

# When a folder "log" sits beside the script, each refusal appends one line to
# log/refusals-YYYY-MM.log: UTC time, host, user, operation, path, VOB, setting, reason,
# separated by tabs. One write per line, so that lines of concurrent clients never
# interleave; at most two seconds; a failure changes nothing of the decision.
sub recordRefusal {
    my ($reason, $setting) = @_;
    (my $folder = $0) =~ s/[\\\/][^\\\/]*$//;
    $folder = '.' if $folder eq $0;
    $folder .= '/log';
    return if !-d $folder;
    eval {
        local $SIG{ALRM} = sub { die "timeout\n" };
        alarm(2);
        my ($second, $minute, $hour, $day, $monthIndex, $year) = gmtime(time());
        my $month = sprintf('%04d-%02d', $year + 1900, $monthIndex + 1);
        my $time = sprintf('%s-%02dT%02d:%02d:%02dZ', $month, $day, $hour, $minute, $second);
        require Sys::Hostname;
        my @fields = ($time, Sys::Hostname::hostname(), environment('CLEARCASE_USER'), environment('CLEARCASE_OP_KIND'),
                      environment('CLEARCASE_PN'), environment('CLEARCASE_VOB_PN'), $setting, $reason);
        s/[\t\r\n]+/ /g foreach @fields;
        my $line = join("\t", @fields) . "\n";
        if (open(REFUSALS, ">>$folder/refusals-$month.log")) {
            binmode(REFUSALS);
            syswrite(REFUSALS, $line);
            close(REFUSALS);
        }
    };
    alarm(0); # also when the write died
}

sub environment {
    my ($name) = @_;
    return defined($ENV{$name}) ? $ENV{$name} : '';
}

# Every "," splits; empty pieces stay, nothing is trimmed.
sub commaSplit {
    my ($text) = @_;
    return () if $text eq '';
    return split(/,/, $text, -1);
}

# User names compare case-insensitively, non-ASCII letters included when the text is UTF-8.
# A letter folds only when its lowercase form turns back into it, so that look-alikes such
# as the Kelvin sign never pass for "k".
sub foldCase {
    my ($text) = @_;
    my $decoded = $text;
    return lc($text) unless defined(&utf8::decode) && utf8::decode($decoded);
    my $folded = '';
    foreach my $char (split(//, $decoded)) {
        my $lower = lc($char);
        $folded .= ($lower eq $char || uc($lower) eq $char) ? $lower : $char;
    }
    return $folded;
}

sub isListed {
    my ($user, @names) = @_;
    my $folded = foldCase($user);
    foreach my $name (@names) {
        return 1 if $name ne '' && foldCase($name) eq $folded;
    }
    return 0;
}

sub allows {
    my ($value, $user) = @_;
    my @users;
    foreach my $piece (commaSplit($value)) {
        return 1 if $piece eq 'ALL';
        push(@users, $piece) if $piece ne 'NONE';
    }
    return isListed($user, @users);
}

sub whoMay {
    my ($value, @administrators) = @_;
    my @users = grep { $_ ne '' && $_ ne 'NONE' } commaSplit($value);
    my @admins = grep { $_ ne '' } @administrators;
    my $adminText = @admins ? 'the administrators (' . join(', ', @admins) . ')' : '';
    if (!@users) {
        return $adminText eq '' ? 'nobody' : "only $adminText";
    }
    return join(', ', @users) . ($adminText eq '' ? '' : " and $adminText");
}

sub isWholeEntryOf {
    my ($entry, $list) = @_;
    foreach my $piece (split(/,/, $list)) {
        return 1 if $piece eq $entry;
    }
    return 0;
}

# Where the settings for this operation may live (the element's own version, or the
# directory receiving a new name) and the VOB root; how to name it in a message.
sub governingTarget {
    my ($operation, $driveArgument) = @_;
    my $pathName = environment('CLEARCASE_PN');
    my $isTypeTarget = environment('CLEARCASE_MTYPE') =~ /type\s*$/i || $pathName =~ /^\w*type:/i
        || $operation eq 'mktype';
    my $elementPath = $isTypeTarget ? '' : elementPathOf($pathName);
    my $vobTag = vobTagOf($elementPath);
    my %target = (elementPath => $elementPath, vob => $vobTag,
                  root => vobRootDirectory($driveArgument, $elementPath));
    $target{vobWide} = $elementPath eq '';
    $target{label} = $elementPath ne '' ? "\"$elementPath\""
        : $vobTag ne '' ? "in VOB $vobTag" : 'in an unknown VOB';
    $target{path} = isWholeEntryOf($operation, $NAME_CREATING_OPERATIONS)
        ? parentDirectory($elementPath) : $elementPath;
    # A new name right under a UNIX VOB root: the root's own version holds the setting.
    $target{path} = $target{root}
        if $target{root} ne '' && comparablePath($target{path}) eq comparablePath($target{root});
    return %target;
}

sub elementPathOf {
    my ($pathName) = @_;
    $pathName =~ s/\@\@.*$//s;
    return $pathName;
}

# Components of a program-form path: drive, view tag, VOB, then the path inside the VOB.
sub pathComponents {
    my ($path) = @_;
    return () unless $path =~ /^[A-Za-z]:[\\\/]/;
    return split(/[\\\/]+/, $path);
}

# The view tag and the rest of a view-extended UNIX path (/view/<tag>/vobs/proj/x gives
# "<tag>" and "/vobs/proj/x"); nothing for any other path.
sub unixViewParts {
    my ($path) = @_;
    return () unless $path =~ m{^/view/([^/]+)(/.*)?$}s;
    return ($1, defined($2) ? $2 : '');
}

sub viewTagOf {
    my ($elementPath) = @_;
    my $tag = environment('CLEARCASE_VIEW_TAG');
    return $tag if $tag ne '';
    my ($unixView) = unixViewParts($elementPath);
    return $unixView if defined($unixView);
    my @components = pathComponents($elementPath);
    return @components > 1 ? $components[1] : '';
}

sub vobTagOf {
    my ($elementPath) = @_;
    my $tag = environment('CLEARCASE_VOB_PN');
    return $tag if $tag ne '';
    return unixVobTagOf($elementPath) if $elementPath =~ /^\//;
    my @components = pathComponents($elementPath);
    return @components > 2 ? "\\$components[2]" : '';
}

# A UNIX VOB tag may have several components (/vobs/a/b), so it is the longest tag that
# cleartool lists which the path goes through; "" when none is (or the list is unreadable).
sub unixVobTagOf {
    my ($elementPath) = @_;
    my ($view, $inView) = unixViewParts($elementPath);
    $inView = $elementPath if !defined($view);
    my ($ok, $output) = runCleartool('lsvob', '-short');
    return '' unless $ok;
    my $found = '';
    foreach my $tag (split(/\r?\n/, $output)) {
        $tag =~ s/^\s+|\s+$//g;
        next unless $tag =~ /^\/./ && length($tag) > length($found);
        $found = $tag if $inView eq $tag || index($inView, "$tag/") == 0;
    }
    return $found;
}

# The view root of UNIX clients: the script's first argument when it is one (/view), else
# /view; Windows clients pass their view drive letter.
sub vobRootDirectory {
    my ($driveArgument, $elementPath) = @_;
    my $drive = defined($driveArgument) ? $driveArgument : '';
    $drive =~ s/^\s+//;
    $drive =~ s/[\s:\\\/]+$//;
    my $viewRoot = $drive =~ /^\/./ ? $drive : '/view';
    $drive = 'm' if $drive eq '' || $drive =~ /^\//;
    my $view = viewTagOf($elementPath);
    my $vob = vobTagOf($elementPath);
    return '' if $view eq '' || $vob !~ /[^\\\/]/;
    return "$viewRoot/$view$vob/." if $vob =~ /^\//;
    $vob =~ s/^\\+//;
    return "$drive:\\$view\\$vob\\.";
}

sub parentDirectory {
    my ($path) = @_;
    if ($path =~ /^\//) {
        (my $parent = $path) =~ s/\/+[^\/]+\/*$//;
        return $parent ne '' ? $parent : $path;
    }
    my @components = pathComponents($path);
    return $path if @components < 4;
    pop(@components);
    my $parent = join('\\', @components);
    return @components == 3 ? "$parent\\." : $parent;
}

# The named attributes of each <path>@@/main/0, in one describe. cleartool applies the
# format to every version in turn; each part of the answer opens with a marker made afresh
# for this run, so that no attribute value, whatever it holds, can pass for a part of the
# answer, and each version's part names its kind, element and version first, so that an
# answer about anything else is recognised. Anything missing, added or out of order fails.
# Returns (read ok, [ { attribute name => its text, "" when absent } per path ], error text).
sub readAttributes {
    my ($paths, $names) = @_;
    my $marker = sprintf('@zan%x.%x.%x@', $$, time(), int(rand(0x7fffffff)));
    my $format = "${marker}o\\n%m\\n%En\\n%Vn\\n" . join('', map { "${marker}a\\n%[$_]a\\n" } @$names) . "${marker}e\\n";
    my @versions = map { $_ . '@@/main/0' } @$paths;
    my ($ok, $output, $error) = runCleartool('describe', '-fmt', $format, @versions);
    return (0, undef, $error) unless $ok;
    my @parts = split(/\Q$marker\E/, $output, -1);
    my $leading = shift(@parts);
    my $perVersion = 2 + @$names;
    my $unexpected = "cleartool's answer does not describe \"" . join('" and "', @versions) . '"';
    return (0, undef, $unexpected) if $leading ne '' || @parts != $perVersion * @versions;
    my @read;
    foreach my $index (0 .. $#versions) {
        my ($header, @texts) = splice(@parts, 0, $perVersion);
        my $closing = pop(@texts);
        my ($kind, $element, $versionId) = $header =~ /^o\r?\n([^\r\n]*)\r?\n(.*?)\r?\n([^\r\n]*)\r?\n\z/s;
        if (!defined($versionId) || ($kind ne 'version' && $kind ne 'directory version') || $closing !~ /^e\r?\n\z/
            || comparablePath($element) ne comparablePath($paths->[$index]) || comparablePath($versionId) ne '/main/0') {
            return (0, undef, "cleartool's answer does not describe \"$versions[$index]\"");
        }
        my %attributes = (version => $versions[$index]);
        foreach my $name (@$names) {
            my ($text) = shift(@texts) =~ /^a\r?\n(.*?)\r?\n\z/s;
            return (0, undef, $unexpected) if !defined($text);
            $attributes{$name} = $text;
        }
        push(@read, \%attributes);
    }
    return (1, \@read, '');
}

# One attribute out of readAttributes' answer for a version: (ok, value or undef when the
# attribute is absent, error text). Only a string value counts.
sub attributeValue {
    my ($attributes, $name) = @_;
    my $text = $attributes->{$name};
    return (1, undef, '') if $text =~ /^\s*(\(\s*\))?\s*$/;
    return (1, $1, '') if $text =~ /^\(\Q$name\E="(.*)"\)\s*$/s;
    return (0, undef, "cleartool's answer for $name on \"$attributes->{version}\" is not a string value");
}

sub comparablePath {
    my ($path) = @_;
    return '' if !defined($path);
    $path =~ s/[\\\/]+/\//g;
    $path =~ s/(\/\.)+$//;
    $path =~ s/(.)\/$/$1/;
    return $path =~ /^[A-Za-z]:/ ? lc($path) : $path;
}

# The owner of the VOB, from the ownership part of its long description.
# Returns (ok, owner, error text).
sub vobOwner {
    my ($vobTag) = @_;
    return (0, '', 'the VOB is not known') if $vobTag eq '';
    my ($ok, $output, $error) = runCleartool('describe', '-long', "vob:$vobTag");
    return (0, '', $error) unless $ok;
    my ($header, @lines) = split(/\r?\n/, $output);
    my ($inOwnership, @owners) = (0);
    foreach my $line (@lines) {
        if ($line =~ /^\s*VOB ownership:\s*$/) {
            $inOwnership = 1;
        } elsif ($inOwnership && $line =~ /^\s+owner\s+(\S+)\s*$/) {
            push(@owners, $1);
        } elsif ($line !~ /^\s{4}/) {
            $inOwnership = 0;
        }
    }
    return (1, $owners[0], '') if defined($header) && $header =~ /^versioned object base "/ && @owners == 1;
    return (0, '', "cleartool's description of vob:$vobTag names no single owner");
}

# ClearCase's own cleartool where it is installed in the standard places; otherwise the one
# the trigger's PATH leads to.
sub cleartoolProgram {
    foreach my $candidate ('/opt/rational/clearcase/bin/cleartool', '/usr/atria/bin/cleartool',
                           'C:\Program Files\IBM\RationalSDLC\ClearCase\bin\cleartool.exe',
                           'C:\Program Files (x86)\IBM\RationalSDLC\ClearCase\bin\cleartool.exe') {
        return $candidate if -f $candidate;
    }
    return 'cleartool';
}

# Runs cleartool without any shell (arguments reach it exactly as given) and collects what
# it writes to both channels. Returns (succeeded, output, error text).
sub runCleartool {
    my @command = (cleartoolProgram(), @_);
    my ($started, $status, $output, $startError) = $^O eq 'MSWin32' ? runThroughFile(@command) : runThroughPipe(@command);
    return (0, $output, "cleartool could not be started: $startError") if !$started;
    return (1, $output, '') if $status == 0;
    return (0, $output, cleartoolFailure($output, $status));
}

# Unix: the output comes through a pipe; a second pipe, closed by a successful exec (Perl
# opens it close-on-exec), brings back why the program could not be started.
# Returns (started, exit status, output, start error).
sub runThroughPipe {
    my @command = @_;
    local (*OUTPUT, *OUTPUT_END, *FAILURE, *FAILURE_END);
    pipe(OUTPUT, OUTPUT_END) && pipe(FAILURE, FAILURE_END) or return (0, 0, '', "no pipe for its output: $!");
    my $pid = fork();
    return (0, 0, '', "$!") if !defined($pid);
    if ($pid == 0) {
        close(OUTPUT);
        close(FAILURE);
        open(STDOUT, '>&OUTPUT_END');
        open(STDERR, '>&OUTPUT_END');
        exec { $command[0] } @command;
        print FAILURE_END "$!";
        close(FAILURE_END);
        exit(127);
    }
    close(OUTPUT_END);
    close(FAILURE_END);
    my $output = join('', <OUTPUT>);
    close(OUTPUT);
    my $startError = join('', <FAILURE>);
    close(FAILURE);
    waitpid($pid, 0);
    return (0, 0, $output, $startError) if $startError ne '';
    return (1, $?, $output, '');
}

# Windows: without fork, the output goes to a private temporary file, which works on every
# Perl the trigger meets there. Returns (started, exit status, output, start error).
sub runThroughFile {
    my @command = @_;
    my $captureName = openCaptureFile();
    return (0, 0, '', "no temporary file for the cleartool output: $!") if $captureName eq '';

    local (*SAVED_STDOUT, *SAVED_STDERR);
    open(SAVED_STDOUT, '>&STDOUT');
    open(SAVED_STDERR, '>&STDERR');
    open(STDOUT, '>&CAPTURE');
    open(STDERR, '>&CAPTURE');
    my $status = system { $command[0] } @command;
    my $startError = "$!";
    open(STDOUT, '>&SAVED_STDOUT');
    open(STDERR, '>&SAVED_STDERR');
    close(SAVED_STDOUT);
    close(SAVED_STDERR);

    seek(CAPTURE, 0, 0);
    my $output = join('', <CAPTURE>);
    close(CAPTURE);
    unlink($captureName);
    return (0, 0, $output, $startError) if $status == -1;
    return (1, $status, $output, '');
}

sub cleartoolFailure {
    my ($output, $status) = @_;
    my @lines = grep { /\S/ } split(/\r?\n/, $output);
    my $detail = @lines ? $lines[-1] : 'no message';
    $detail =~ s/^\s+|\s+$//g;
    return "cleartool failed with exit status " . ($status >> 8) . ": $detail";
}

# Creates the capture file exclusively (never follows a planted link); returns its name.
sub openCaptureFile {
    require Fcntl;
    my $flags = Fcntl::O_RDWR() | Fcntl::O_CREAT() | Fcntl::O_EXCL();
    my $folder = environment('TMPDIR');
    $folder = environment('TEMP') if $folder eq '';
    $folder = environment('TMP') if $folder eq '';
    $folder = ($^O eq 'MSWin32' ? '.' : '/tmp') if $folder eq '';
    foreach my $attempt (1 .. 20) {
        my $name = "$folder/zan_trigger_$$" . '_' . time() . "_$attempt.out";
        return $name if sysopen(CAPTURE, $name, $flags, 0600);
    }
    return '';
}
